#pragma once
// The handlers of the step table (recipe_steps.cpp), one per operation, grouped in files by what they
// work on.

#include "recipe/recipe_steps.h"

#include <optional>

namespace recipe {

imaging::Outcome failure(const QString& reason);

// document_steps.cpp
imaging::Outcome setBackground(StepContext& context, const StepFields& fields);
imaging::Outcome setImageBackground(StepContext& context, const StepFields& fields);
imaging::Outcome flatten(StepContext& context, const StepFields& fields);
imaging::Outcome zoom(StepContext& context, const StepFields& fields);
imaging::Outcome addText(StepContext& context, const StepFields& fields);
imaging::Outcome restyleText(StepContext& context, const StepFields& fields);
imaging::Outcome undo(StepContext& context, const StepFields& fields);
imaging::Outcome redo(StepContext& context, const StepFields& fields);

// object_steps.cpp
imaging::Outcome select(StepContext& context, const StepFields& fields);
imaging::Outcome move(StepContext& context, const StepFields& fields);
imaging::Outcome deleteSelected(StepContext& context, const StepFields& fields);
imaging::Outcome drag(StepContext& context, const StepFields& fields);
imaging::Outcome stack(StepContext& context, const StepFields& fields);

// tuning_steps.cpp
// The adjust step's fields, in the colour panel's slider order.
inline constexpr const char* kColourFieldNames[] = {"contrast", "brightness", "saturation",
                                                    "hue",      "gamma",      "colour"};
imaging::Outcome adjustColours(StepContext& context, const StepFields& fields);
imaging::Outcome applyFilter(StepContext& context, const StepFields& fields);

// decoration_steps.cpp
imaging::Outcome placeFrame(StepContext& context, const StepFields& fields);
imaging::Outcome placeMask(StepContext& context, const StepFields& fields);
imaging::Outcome placeClipart(StepContext& context, const StepFields& fields);
imaging::Outcome placeDecoration(StepContext& context, const StepFields& fields);
imaging::Outcome paintStroke(StepContext& context, const StepFields& fields);
// The object dials and the arrow keys on the object just placed, from its step's "scale", "angle" and
// "offset" fields.
void adjustPlaced(workspace::WorkspaceDocument& document, const StepFields& fields);
// The scale dial's position for a "scale": the nearest step of the dial, and at the dial's lowest scale
// the lowest positions, which the nearest step just misses.
int scaleDialOf(double scale);

// crop_steps.cpp
imaging::Outcome crop(StepContext& context, const StepFields& fields);
// The Crop tab with the crop rectangle that "constraint" and "rect" choose; a failure when the rectangle
// does not fit on the photo or is too small to cut it to.
std::optional<imaging::Outcome> chooseCropRect(workspace::WorkspaceDocument& document,
                                               const StepFields& fields);

// calendar_steps.cpp
imaging::Outcome addCalendar(StepContext& context, const StepFields& fields);

} // namespace recipe

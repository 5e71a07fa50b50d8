#include "recipe/recipe_steps.h"

#include "imaging/colour/colour_adjustment.h"
#include "imaging/crop_constraints.h"
#include "recipe/step_handlers.h"
#include "text/style_samples.h"

namespace recipe {

using imaging::Outcome;

namespace {

using enum FieldType;

// Places are photo pixels; a photo is at most 1600 × 1200, the rest leaves room for a step that reaches
// past the photo.
constexpr double kMaxPlace = 65535;
// Far beyond any library; the run checks each index against the library it opens.
constexpr double kMaxIndex = 1e6;

using resources::ResourceCategory;

// The colour panel's six sliders, each with its range.
std::vector<FieldRule> colourFields() {
    std::vector<FieldRule> fields;
    for (std::size_t i = 0; i < imaging::kColourSliders.size(); ++i)
        fields.push_back({kColourFieldNames[i], Integer,
                          static_cast<double>(imaging::kColourSliders[i].minimum),
                          static_cast<double>(imaging::kColourSliders[i].maximum)});
    return fields;
}

} // namespace

Outcome failure(const QString& reason) {
    return Outcome::failure(reason.toStdString());
}

const std::vector<StepKind>& stepKinds() {
    static const std::vector<StepKind> kinds{
        {"background", {{"colour", Colour, 0, 0, true}}, setBackground},
        {"text",
         {{"text", Text, 0, text::kTextBytes - 1},
          {"face", Text, 1, text::kFaceNameBytes - 1},
          {"height", Height, text::kMinTextHeight, text::kMaxTextHeight},
          {"style", Integer, 0, text::kStyleCount - 1},
          {"colour1", Colour},
          {"colour2", Colour},
          {"transparency", Number, 0, 1},
          {"at", Point, 0, kMaxPlace},
          {"centre", Point, 0, kMaxPlace}},
         addText},
        {"undo", {}, undo},
        {"redo", {}, redo},
        {"select", {{"at", Point, 0, kMaxPlace, true}}, select},
        {"move", {{"by", Point, -kMaxPlace, kMaxPlace, true}}, move},
        {"delete", {}, deleteSelected},
        {"drag", {{"from", Point, 0, kMaxPlace, true}, {"to", Point, -kMaxPlace, kMaxPlace, true}}, drag},
        {"stack", {{"to", Choice, 0, 0, true, "front|back|forward|backward"}}, stack},
        {"restyle",
         {{"style", Integer, 0, text::kStyleCount - 1}, {"colour1", Colour}, {"colour2", Colour}},
         restyleText},
        {"adjust", colourFields(), adjustColours},
        {"filter",
         {{"menu", Choice, 0, 0, true, "linear|non-linear"},
          {"name", Choice, 0, 0, true,
           "Soften|Sharpen|Edge|Emboss|Blur|Gaussian3*3|Gaussian5*5|Erode|Dilate|Noise|Jitter|Median|"
           "Contour"}},
         applyFilter},
        // The fields are those of the object record they set: scale as a factor, angle in degrees,
        // offset of the centre from the canvas centre in canvas pixels.
        {"frame",
         {{"index", Integer, 0, kMaxIndex, true},
          {"scale", Number, 0.1, 2.0},
          {"angle", Integer, -180, 180},
          {"offset", Point, -kMaxPlace, kMaxPlace}},
         placeFrame,
         {"index", ResourceCategory::Frames}},
        {"mask",
         {{"index", Integer, 0, kMaxIndex, true},
          {"scale", Number, 0.1, 2.0},
          {"angle", Integer, -180, 180},
          {"offset", Point, -kMaxPlace, kMaxPlace}},
         placeMask,
         {"index", ResourceCategory::Masks}},
        {"clipart",
         {{"index", Integer, 0, kMaxIndex, true},
          {"at", Point, 0, kMaxPlace},
          {"scale", Number, 0.1, 2.0},
          {"angle", Integer, -180, 180},
          {"offset", Point, -kMaxPlace, kMaxPlace}},
         placeClipart,
         {"index", ResourceCategory::Cliparts}},
        // offset: of the top-left corner from the photo's, in canvas pixels, as the record keeps it.
        {"decoration",
         {{"index", Integer, 0, kMaxIndex, true}, {"offset", Point, -kMaxPlace, kMaxPlace}},
         placeDecoration,
         {"index", ResourceCategory::Decorations}},
        {"stroke",
         {{"tip", Integer, 0, kMaxIndex},
          {"colour", Colour},
          {"size", Integer, 16, 256},
          {"angle", Integer, -180, 180},
          {"opacity", Integer, 0, 255},
          {"points", Points, -kMaxPlace, kMaxPlace},
          {"stamps", Points, -kMaxPlace, kMaxPlace}},
         paintStroke,
         {"tip", ResourceCategory::Brushes}},
        {"crop",
         {{"constraint", Integer, 0, imaging::kCropConstraintCount - 1}, {"rect", Box, 0, kMaxPlace}},
         crop},
        {"flatten", {}, flatten},
        {"image-background",
         {{"constraint", Integer, 0, imaging::kCropConstraintCount - 1}, {"rect", Box, 0, kMaxPlace}},
         setImageBackground},
        {"zoom", {{"to", Choice, 0, 0, true, "fit|actual"}}, zoom},
        // A clipart of the document's own: placed and then sized and turned as the clipart step.
        {"calendar",
         {{"year", Integer, 1, 9999, true},
          {"month", Integer, 1, 12, true},
          {"at", Point, 0, kMaxPlace},
          {"scale", Number, 0.1, 2.0},
          {"angle", Integer, -180, 180},
          {"offset", Point, -kMaxPlace, kMaxPlace}},
         addCalendar},
    };
    return kinds;
}

const StepKind* findStepKind(const QString& op) {
    for (const StepKind& kind : stepKinds())
        if (op == QLatin1String(kind.op))
            return &kind;
    return nullptr;
}

QStringList stepNames() {
    QStringList names;
    for (const StepKind& kind : stepKinds())
        names << QLatin1String(kind.op);
    return names;
}

} // namespace recipe

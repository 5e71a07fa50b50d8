// Steps of the Tuning panel and of the Tool menu's filters, carried out by the same calls the panel and
// the menu make: slider positions turned into the six values, and a filter named by its submenu and text.
#include "imaging/colour/colour_adjustment.h"
#include "imaging/filters/image_commands.h"
#include "recipe/step_handlers.h"
#include "workspace/document.h"

namespace recipe {

using imaging::Outcome;

// The six slider positions; a slider the step leaves out stays where the panel starts it.
Outcome adjustColours(StepContext& context, const StepFields& fields) {
    imaging::ColourSliderPositions positions = imaging::defaultColourPositions();
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = fields.integer(kColourFieldNames[i], positions[i]);
    context.document.SetTool(workspace::ToolTuning);
    context.document.SetColourAdjustment(imaging::colourAdjustmentFromPositions(positions));
    return Outcome::success();
}

Outcome applyFilter(StepContext& context, const StepFields& fields) {
    const bool linear = fields.text("menu", QString()) == QLatin1String("linear");
    const QString name = fields.text("name", QString());
    const int operation = imaging::filterMenuOperation(
        linear ? imaging::FilterMenu::Linear : imaging::FilterMenu::NonLinear, name);
    // The reader let through only names of either submenu: this one belongs to the other.
    if (operation == 0)
        return failure(QStringLiteral("\"%1\" is a %2 filter, not a %3 one")
                           .arg(name, linear ? QStringLiteral("non-linear") : QStringLiteral("linear"),
                                linear ? QStringLiteral("linear") : QStringLiteral("non-linear")));
    context.document.ApplyImageCommand(operation);
    return Outcome::success();
}

} // namespace recipe

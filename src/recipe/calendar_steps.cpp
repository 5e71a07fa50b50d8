// The calendar step, as the Tool menu's "Add Transparent Month Calender" with a month chosen and OK,
// followed by the object dials as on any clipart.
#include "recipe/photo_points.h"
#include "recipe/step_handlers.h"
#include "text/calendar/calendar_picture.h"
#include "workspace/document.h"

namespace recipe {

using imaging::Outcome;
using workspace::WorkspaceDocument;

// Centred on the photo pixel `at`, or where the editor puts it.
Outcome addCalendar(StepContext& context, const StepFields& fields) {
    WorkspaceDocument& document = context.document;
    QPoint window = document.nextPlacingPoint();
    if (fields.has("at")) {
        const QPoint at = fields.point("at", {});
        if (const QString problem = outsidePhoto(document, at, "at"); !problem.isEmpty())
            return failure(problem);
        window = windowPoint(document, at);
    }
    const text::CalendarMonth month{fields.integer("year", 0), fields.integer("month", 1)};
    const std::vector<std::uint8_t> picture = text::calendarPictureOf(month);
    document.SetTool(workspace::ToolClipart);
    if (picture.empty() || !document.PlaceMemoryClipart(picture, text::kCalendarPictureSide,
                                                        text::kCalendarPictureSide, window.x(), window.y(), month))
        return Outcome::failure(
            "there is not enough memory to draw the calendar and flatten the photo first");
    adjustPlaced(document, fields);
    return Outcome::success();
}

} // namespace recipe

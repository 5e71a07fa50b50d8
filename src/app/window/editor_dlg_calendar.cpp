// The Tool menu's "Add Transparent Month Calender": the calendar dialog, and its picture placed as a
// clipart of the document's own where a clipart picked in the list would go.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "text/calendar/month_calendar.h"
#include "text/widgets/calendar_dialog.h"
#include "text/widgets/month_calendar_ctrl.h"
#include "workspace/widgets/workspace_wnd.h"

namespace app {

void CEditorDlg::addMonthCalendar() {
    using text::kCalendarPictureSide;
    // The application keeps the picture: a fresh one for each use, freed when the editor closes.
    std::vector<std::uint8_t>& picture =
        app_.allocateCalendarImage(kCalendarPictureSide, kCalendarPictureSide);
    text::CCalendarDialog dialog(this, picture);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // It is placed as a clipart is, in the clipart tool; the user's tool comes back afterwards.
    workspace::WorkspaceDocument& document = workspace_->document();
    const int tool = document.tool();
    document.SetTool(workspace::ToolClipart);
    const QPoint at = document.nextPlacingPoint();
    const bool placed = document.PlaceMemoryClipart(picture, kCalendarPictureSide, kCalendarPictureSide, at.x(),
                                                    at.y(), dialog.calendar()->shownMonth());
    document.SetTool(tool);
    document.Recompose(false);
    if (!placed)
        return; // the objects could not be flattened first; the user has been told
    refreshStatusReadout();
    workspace_->setFocus();
}

} // namespace app

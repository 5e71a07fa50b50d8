#include "app/commands/screenshot_dialogs.h"

#include "app/about_window.h"
#include "app/editor_app.h"
#include "app/photos/import_progress_window.h"
#include "app/window/editor_dlg.h"
#include "imaging/widgets/batch_convert_dialog.h"
#include "platform/scripted_dialogs.h"
#include "text/calendar/month_calendar.h"
#include "text/widgets/calendar_dialog.h"

#include <QApplication>
#include <QDir>
#include <vector>

namespace app {

namespace {

QImage shown(QWidget& dialog) {
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().toImage();
}

} // namespace

const char* const kScreenshotDialogNames = "batch, calendar, about, import";

bool isScreenshotDialog(const QString& name) {
    return name == QLatin1String("batch") || name == QLatin1String("calendar") ||
           name == QLatin1String("about") || name == QLatin1String("import");
}

QImage grabDialog(const QString& name, CEditorApp& editor, CEditorDlg& window,
                  platform::ScriptedDialogs& dialogs, const QString& picture,
                  const QString& documentsFolder) {
    if (name == QLatin1String("batch")) {
        imaging::BatchConvertDialog dialog(&window, dialogs, editor.folders().workingDataFolder(),
                                           documentsFolder);
        if (!picture.isEmpty()) {
            // Added as the user adds it: the "Add Picture File" button and the open dialog.
            dialogs.queueOpenFiles({QDir::cleanPath(QDir::current().absoluteFilePath(picture))});
            dialog.onCommand(imaging::BatchConvertDialog::ID_ADD_PICTURE_FILE);
        }
        return shown(dialog);
    }
    if (name == QLatin1String("calendar")) {
        std::vector<std::uint8_t> calendarPicture(std::size_t{text::kCalendarPictureSide} *
                                                  text::kCalendarPictureSide * 4);
        text::CCalendarDialog dialog(&window, calendarPicture);
        return shown(dialog);
    }
    if (name == QLatin1String("about")) {
        AboutWindow about(&window);
        return shown(about);
    }
    if (name == QLatin1String("import")) {
        ImportProgressWindow progress(&window);
        progress.showCentred();
        if (!picture.isEmpty())
            progress.showPath(QDir::toNativeSeparators(QDir::current().absoluteFilePath(picture)));
        return shown(progress);
    }
    return {};
}

} // namespace app

#pragma once
// The dialogs the screenshot mode draws for the help book, each shown as its command shows it.

#include <QImage>
#include <QString>

namespace platform {
class ScriptedDialogs;
}

namespace app {

class CEditorApp;
class CEditorDlg;

// The names "--dialog" takes, for its usage message.
extern const char* const kScreenshotDialogNames;
bool isScreenshotDialog(const QString& name);

// Opens the dialog `name` over `window` (batch: with `picture` in its file list; import: with `picture` as
// the file in progress), lets it lay itself out and returns it drawn on its own. `documentsFolder` stands
// in for the user's: the batch window makes its output folder there.
QImage grabDialog(const QString& name, CEditorApp& editor, CEditorDlg& window,
                  platform::ScriptedDialogs& dialogs, const QString& picture, const QString& documentsFolder);

} // namespace app

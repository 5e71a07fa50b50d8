#pragma once

#include "platform/wallpaper/desktop_wallpaper.h"
#include "platform/dialogs.h"
#include "platform/folders.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QShortcut;
class QWidget;

namespace resources {
class ResourceLibrary;
}

namespace app {

class CEditorDlg;
class InstanceLock;
class InstanceServer;
class LanguageTable;

// The application object: owns what lives for the whole run (folders, dialogs, the language table, the
// calendar picture, the accelerators) and runs the main window. It stays a thin owner: windows get what
// they need from it through its accessors.
class CEditorApp {
public:
    CEditorApp(platform::Folders folders, std::unique_ptr<platform::Dialogs> dialogs);
    ~CEditorApp();
    CEditorApp(const CEditorApp&) = delete;
    CEditorApp& operator=(const CEditorApp&) = delete;

    // Keeps the single-instance lock for the run; the main window then opens the hand-off server as
    // soon as it is ready to take a second start's command line.
    void holdInstanceLock(std::unique_ptr<InstanceLock> lock);

    // Start-up of the first instance: builds the main window (its initialisation included), the
    // accelerators for it, and shows it.
    CEditorDlg& startMainWindow();
    // Runs the shown main window until it closes, then destroys it; returns the exit code.
    int runMainWindow();
    // Releases what start-up acquired: the accelerators and the calendar picture.
    int ExitInstance();

    // Called by the main window once it is sized and ready to be found by a second start.
    void markMainWindowReady();

    const platform::Folders& folders() const { return folders_; }
    platform::Dialogs& dialogs() { return *dialogs_; }
    // The desktop the wallpaper commands talk to.
    platform::DesktopSession& desktop() { return desktop_; }
    // The resource library of the Data folder, which the lists and the workspace read through.
    const resources::ResourceLibrary& library() const { return *library_; }
    CEditorDlg* mainWindow() const { return mainWindow_.get(); }

    void setLanguageTable(std::unique_ptr<LanguageTable> table);
    const LanguageTable* languageTable() const { return languageTable_.get(); }
    // Slot n's caption, or empty text before the table is loaded.
    QString languageText(int slot) const;

    // The one window in which Enter is passed on (the text panel's text box).
    QWidget* enterKeyWindow() const { return enterKeyWindow_; }
    void setEnterKeyWindow(QWidget* window) { enterKeyWindow_ = window; }

    // The month calendar's 32-bit picture, replaced at each calendar command and freed at exit.
    std::vector<std::uint8_t>& allocateCalendarImage(int width, int height);
    const std::vector<std::uint8_t>& calendarImage() const { return calendarImage_; }
    int calendarWidth() const { return calendarWidth_; }
    int calendarHeight() const { return calendarHeight_; }

    int acceleratorCount() const { return static_cast<int>(accelerators_.size()); }

private:
    void buildAccelerators();

    platform::Folders folders_;
    std::unique_ptr<platform::Dialogs> dialogs_;
    platform::DesktopSession desktop_ = platform::DesktopSession::current();
    std::unique_ptr<resources::ResourceLibrary> library_;
    std::unique_ptr<InstanceLock> instanceLock_;
    std::unique_ptr<InstanceServer> instanceServer_;
    std::unique_ptr<LanguageTable> languageTable_;
    std::unique_ptr<CEditorDlg> mainWindow_;
    std::vector<std::unique_ptr<QShortcut>> accelerators_;
    QWidget* enterKeyWindow_ = nullptr;
    std::vector<std::uint8_t> calendarImage_;
    int calendarWidth_ = 0;
    int calendarHeight_ = 0;
};

// The program: command-line modes, the single-instance hand-off and the editor's run. Returns the
// process exit code.
int runPictovance(int argc, char** argv);

} // namespace app

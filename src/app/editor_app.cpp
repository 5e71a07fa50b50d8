#include "app/editor_app.h"

#include "app/command_ids.h"
#include "app/window/editor_dlg.h"
#include "app/language_table.h"
#include "app/single_instance.h"
#include "resources/resource_library.h"

#include <QApplication>
#include <QShortcut>

namespace app {

CEditorApp::CEditorApp(platform::Folders folders, std::unique_ptr<platform::Dialogs> dialogs)
    : folders_(std::move(folders)), dialogs_(std::move(dialogs)),
      library_(std::make_unique<resources::ResourceLibrary>(folders_)) {}

CEditorApp::~CEditorApp() {
    accelerators_.clear();
    mainWindow_.reset();
}

void CEditorApp::holdInstanceLock(std::unique_ptr<InstanceLock> lock) {
    instanceLock_ = std::move(lock);
}

CEditorDlg& CEditorApp::startMainWindow() {
    mainWindow_ = std::make_unique<CEditorDlg>(*this);
    buildAccelerators();
    mainWindow_->OnInitDialog();
    mainWindow_->show();
    return *mainWindow_;
}

int CEditorApp::runMainWindow() {
    if (!mainWindow_)
        startMainWindow();
    const int code = QApplication::exec();
    accelerators_.clear();
    mainWindow_.reset();
    return code;
}

int CEditorApp::ExitInstance() {
    accelerators_.clear();
    instanceServer_.reset();
    calendarImage_ = {};
    calendarWidth_ = calendarHeight_ = 0;
    return 0;
}

void CEditorApp::markMainWindowReady() {
    if (!instanceLock_ || instanceServer_ || !mainWindow_)
        return;
    instanceServer_ = std::make_unique<InstanceServer>();
    QObject::connect(instanceServer_.get(), &InstanceServer::handOffReceived, mainWindow_.get(),
                     &CEditorDlg::handOffReceived);
    instanceServer_->listen();
}

void CEditorApp::setLanguageTable(std::unique_ptr<LanguageTable> table) {
    languageTable_ = std::move(table);
}

QString CEditorApp::languageText(int slot) const {
    return languageTable_ ? languageTable_->text(slot) : QString();
}

std::vector<std::uint8_t>& CEditorApp::allocateCalendarImage(int width, int height) {
    calendarWidth_ = width;
    calendarHeight_ = height;
    calendarImage_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    return calendarImage_;
}

void CEditorApp::buildAccelerators() {
    struct Entry {
        QKeyCombination keys;
        int command;
    };
    static constexpr Entry kEntries[] = {
        {Qt::CTRL | Qt::Key_F, ID_ACCEL_FILE_MENU},       {Qt::CTRL | Qt::Key_E, ID_ACCEL_EDIT_MENU},
        {Qt::CTRL | Qt::Key_T, ID_ACCEL_TOOL_MENU},       {Qt::CTRL | Qt::Key_M, ID_ACCEL_MODE_MENU},
        {Qt::CTRL | Qt::Key_N, ID_ACCEL_PANEL_MENU},      {Qt::CTRL | Qt::Key_H, ID_ACCEL_HELP_MENU},
        {QKeyCombination(Qt::Key_F1), ID_FRAMEWORK_HELP},
        {Qt::CTRL | Qt::Key_Plus, ID_ZOOM_IN},            {Qt::CTRL | Qt::Key_Equal, ID_ZOOM_IN},
        {Qt::CTRL | Qt::Key_Minus, ID_ZOOM_OUT},          {Qt::CTRL | Qt::Key_0, ID_ZOOM_FIT},
        {Qt::CTRL | Qt::Key_1, ID_ZOOM_ACTUAL},
    };
    accelerators_.clear();
    for (const Entry& entry : kEntries) {
        auto shortcut = std::make_unique<QShortcut>(QKeySequence(entry.keys), mainWindow_.get());
        // Application-wide, so the keys work whichever child has the focus.
        shortcut->setContext(Qt::ApplicationShortcut);
        QObject::connect(
            shortcut.get(), &QShortcut::activated, mainWindow_.get(),
            [window = mainWindow_.get(), command = entry.command] { window->onCommand(command); });
        accelerators_.push_back(std::move(shortcut));
    }
}

} // namespace app

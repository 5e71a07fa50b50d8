// The main window's drop-down menus, help and About.
#include "app/about_window.h"
#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/main_layout.h"
#include "app/window/menu_definitions.h"
#include "app/product.h"
#include "controls/dez_menu.h"
#include "controls/help_viewer.h"
#include "controls/buttons/skin_button.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QTimer>

namespace app {

namespace {
// The one item of the title strip's window menu.
constexpr int kSystemAboutCommand = 16;
} // namespace

std::vector<controls::MenuItemRecord> CEditorDlg::menuItems(int buttonId) const {
    switch (buttonId) {
    case ID_MENU_FILE:
        return fileMenuItems();
    case ID_MENU_EDIT:
        return editMenuItems();
    case ID_MENU_MODE:
        return modeMenuItems(collageMode_);
    case ID_MENU_PANEL:
        return panelMenuItems(activeTool_);
    case ID_MENU_TOOL:
        return toolMenuItems();
    case ID_MENU_HELP:
        return helpMenuItems();
    case ID_EXPORT:
        return exportMenuItems();
    case ID_BACKGROUND:
        return backgroundMenuItems();
    default:
        return {};
    }
}

void CEditorDlg::openDropDown(int buttonId) {
    controls::CSkinButton* anchorButton = button(buttonId);
    // A hidden button (during preview) opens nothing, also through its accelerator.
    if (!anchorButton || !anchorButton->isVisible())
        return;
    openMenu_ = std::make_unique<controls::CDezMenu>(menuItems(buttonId), this);
    // The choice arrives as an ordinary command once the menu has closed.
    connect(openMenu_.get(), &controls::CDezMenu::commandChosen, this,
            [this](int id) { QTimer::singleShot(0, this, [this, id] { onCommand(id); }); });
    connect(openMenu_.get(), &QMenu::aboutToHide, this, [this, menu = openMenu_.get()] {
        QTimer::singleShot(0, this, [this, menu] {
            if (openMenu_.get() == menu)
                openMenu_.reset();
        });
    });
    openMenu_->popupAt(controls::CDezMenu::anchorBelow(*anchorButton));
}

void CEditorDlg::showHelp() {
    const QString helpFolder = app_.folders().shippedFolder(QStringLiteral("Help"));
    if (!controls::showHelpBook(this, helpFolder))
        app_.dialogs().inform(
            this, QStringLiteral("The help book was not found in \"%1\".\nReinstall the editor to "
                                 "bring it back.")
                      .arg(QDir::toNativeSeparators(helpFolder)));
}

void CEditorDlg::showAbout() {
    aboutWindow_ = std::make_unique<AboutWindow>(this);
    connect(aboutWindow_.get(), &QDialog::finished, this, [this, about = aboutWindow_.get()] {
        QTimer::singleShot(0, this, [this, about] {
            if (aboutWindow_.get() == about)
                aboutWindow_.reset();
        });
    });
    aboutWindow_->open();
}

QWidget* CEditorDlg::aboutWindow() const {
    return aboutWindow_.get();
}

void CEditorDlg::showSmallAbout() {
    app_.dialogs().inform(this, QStringLiteral("%1\nVersion 0.1").arg(QString::fromLatin1(kProductName)));
}

void CEditorDlg::contextMenuEvent(QContextMenuEvent* event) {
    // The title strip's window menu, in place of the system menu a frameless window does not have.
    if (!inTitleStrip(event->pos().x(), event->pos().y(), width())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    controls::CDezMenu menu(
        {controls::MenuItemRecord::command(
            kSystemAboutCommand, QStringLiteral("About %1...").arg(QString::fromLatin1(kProductName)))},
        this);
    if (menu.track(event->globalPos()) == kSystemAboutCommand)
        showSmallAbout();
}

} // namespace app

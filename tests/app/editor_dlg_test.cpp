#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "app/window/main_layout.h"
#include "controls/dez_menu.h"
#include "controls/dial_ctrl.h"
#include "controls/buttons/skin_button.h"
#include "controls/buttons/tab_button.h"
#include "platform/scripted_dialogs.h"
#include "resources/resource_types.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "workspace/decorations/resource_placement.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

// Closes itself on Escape, as dialogs do.
struct ClosesOnEscape : QWidget {
    explicit ClosesOnEscape(QWidget* parent) : QWidget(parent) {
        setFocusPolicy(Qt::StrongFocus);
        setGeometry(0, 0, 50, 50);
        show();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            close();
        else
            QWidget::keyPressEvent(event);
    }
};

struct MainWindow : ::testing::Test, testing_support::EditorWindow {

    void SetUp() override {
        startEditor();
        ASSERT_TRUE(activate());
    }


    std::vector<int> checkedIds(int menuButton) const {
        std::vector<int> ids;
        for (const auto& item : window->menuItems(menuButton))
            if (item.checked)
                ids.push_back(item.id);
        return ids;
    }

    void placeText() {
        window->onCommand(ID_TAB_TEXT);
        text::TextObject& style = document().textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 40);
        text::setText(style, u"Hi");
        document().PlaceText(300, 300);
    }
};

struct DroppedClipart : workspace::ResourcePlacement {
    std::vector<std::array<int, 3>> cliparts;
    workspace::PlaceResult PlaceFrame(int) override { return workspace::PlaceResult::NotFound; }
    workspace::PlaceResult PlaceMask(int) override { return workspace::PlaceResult::NotFound; }
    workspace::PlaceResult PlaceClipart(int index, int x, int y) override {
        cliparts.push_back({index, x, y});
        return workspace::PlaceResult::Placed;
    }
    workspace::PlaceResult PlaceDecoration(int) override { return workspace::PlaceResult::NotFound; }
};

} // namespace

TEST_F(MainWindow, ChildrenFollowTheLayoutAtTwoSizes) {
    for (const QSize size : {QSize(1280, 800), QSize(1600, 1000)}) {
        window->resize(size);
        const MainLayout layout = computeMainLayout(size.width(), size.height());
        EXPECT_EQ(window->workspace()->geometry(), layout.workspace);
        EXPECT_EQ(window->toolPanel(3)->geometry(), layout.toolPanels);
        EXPECT_EQ(window->button(ID_TAB_TEXT)->geometry(), layout.tabs[6]);
        EXPECT_EQ(window->button(ID_UNDO)->geometry(), layout.rowButtons[0]);
        EXPECT_EQ(window->button(ID_CLOSE)->geometry(), layout.closeButton);
        EXPECT_EQ(window->dial(0)->geometry(), layout.rotationDial);
        EXPECT_EQ(window->button(ID_MENU_HELP)->geometry().left(), 250);
    }
}

TEST_F(MainWindow, RefusesToBeSmallerThan800By600) {
    window->resize(640, 480);
    EXPECT_GE(window->width(), 800);
    EXPECT_GE(window->height(), 600);
}

TEST_F(MainWindow, MenusHaveTheirItemsSeparatorsAndChecks) {
    const auto file = window->menuItems(ID_MENU_FILE);
    ASSERT_EQ(file.size(), 12u);
    EXPECT_EQ(file[0].text, "Import Photo");
    EXPECT_TRUE(file[2].separator);
    EXPECT_EQ(file[8].id, ID_FILE_SAVE_RECIPE);
    EXPECT_EQ(file[9].id, ID_FILE_APPLY_RECIPE);
    EXPECT_EQ(file[11].id, ID_FILE_EXIT);

    EXPECT_EQ(checkedIds(ID_MENU_MODE), std::vector<int>{ID_MODE_SIMPLE});
    window->onCommand(ID_MODE_COLLAGE);
    EXPECT_TRUE(window->collageMode());
    EXPECT_EQ(checkedIds(ID_MENU_MODE), std::vector<int>{ID_MODE_COLLAGE});

    EXPECT_EQ(checkedIds(ID_MENU_PANEL), std::vector<int>{10910}); // Frame at the start
    QTest::mouseClick(window->button(ID_TAB_CROP), Qt::LeftButton);
    EXPECT_EQ(checkedIds(ID_MENU_PANEL), std::vector<int>{10915});
    EXPECT_TRUE(window->toolPanel(5)->isVisible());
    EXPECT_FALSE(window->toolPanel(3)->isVisible());
    EXPECT_EQ(document().tool(), workspace::ToolCrop);
    EXPECT_TRUE(static_cast<controls::CTabButton*>(window->button(ID_TAB_CROP))->isActive());
    EXPECT_FALSE(window->brushOn()); // the crop tab switches the brush off

    const auto tool = window->menuItems(ID_MENU_TOOL);
    const auto& linear = tool[7].submenu;
    const auto& nonLinear = tool[8].submenu;
    ASSERT_EQ(linear[2].text, "Edge");
    ASSERT_EQ(nonLinear[3].text, "Edge");
    EXPECT_NE(linear[2].id, nonLinear[3].id);
}

TEST_F(MainWindow, DropDownsOpenBelowTheirButtonAndSendTheChoice) {
    QSignalSpy routed(window, &CEditorDlg::commandRouted);
    QTest::keyClick(window->workspace(), Qt::Key_M, Qt::ControlModifier); // the Mode menu's accelerator
    controls::CDezMenu* menu = window->openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->geometry().topLeft(), controls::CDezMenu::anchorBelow(*window->button(ID_MENU_MODE)));
    emit menu->commandChosen(ID_MODE_COLLAGE);
    QTest::qWait(20);
    EXPECT_TRUE(window->collageMode());
    menu->close();
}

TEST_F(MainWindow, PreviewHidesTheChromeAndTheClickThatEndsItDoesNothingElse) {
    window->onCommand(ID_PREVIEW);
    EXPECT_TRUE(window->previewing());
    EXPECT_FALSE(window->button(ID_MENU_FILE)->isVisible());
    EXPECT_EQ(window->workspace()->geometry(), window->rect());
    QTest::keyClick(window->workspace(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->openMenu(), nullptr); // accelerators open nothing while their button is hidden

    QSignalSpy routed(window, &CEditorDlg::commandRouted);
    const QPoint onUndoButton = window->button(ID_UNDO)->geometry().center();
    QTest::mouseClick(window, Qt::LeftButton, {}, onUndoButton);
    EXPECT_FALSE(window->previewing());
    EXPECT_TRUE(window->button(ID_MENU_FILE)->isVisible());
    EXPECT_EQ(routed.count(), 0);
    EXPECT_EQ(window->workspace()->geometry(),
              computeMainLayout(window->width(), window->height()).workspace);
}

TEST_F(MainWindow, EscapeNeverClosesAndEnterOnlyReachesTheTextBox) {
    // A child that closes on Escape, as a dialog does: the main window takes the key first.
    ClosesOnEscape closesOnEscape(window);
    closesOnEscape.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &closesOnEscape);
    QTest::keyClick(&closesOnEscape, Qt::Key_Escape);
    EXPECT_TRUE(closesOnEscape.isVisible());
    EXPECT_TRUE(window->isVisible());

    QLineEdit textBox(window);
    QLineEdit other(window);
    textBox.show();
    other.show();
    editor->setEnterKeyWindow(&textBox);
    QSignalSpy textBoxEnter(&textBox, &QLineEdit::returnPressed);
    QSignalSpy otherEnter(&other, &QLineEdit::returnPressed);
    textBox.setFocus();
    QTest::keyClick(&textBox, Qt::Key_Return);
    other.setFocus();
    QTest::keyClick(&other, Qt::Key_Return);
    EXPECT_EQ(textBoxEnter.count(), 1);
    EXPECT_EQ(otherEnter.count(), 0);
}

TEST_F(MainWindow, CtrlZAndCtrlYWorkFromAnyChild) {
    placeText();
    ASSERT_TRUE(window->button(ID_UNDO)->isEnabled());
    window->dial(2)->setFocus();
    QTest::keyClick(window->dial(2), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(document().objects().empty());
    EXPECT_FALSE(window->button(ID_UNDO)->isEnabled());
    EXPECT_TRUE(window->button(ID_REDO)->isEnabled());
    window->button(ID_EXPORT)->setFocus();
    QTest::keyClick(window->button(ID_EXPORT), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(document().objects().size(), 1);
}

TEST_F(MainWindow, StatusReadoutOnlyWhileAPictureIsOpen) {
    EXPECT_TRUE(window->statusText().isEmpty());
    imaging::PhotoBuffer photo;
    photo.width = 640;
    photo.height = 480;
    photo.bgr.assign(640u * 480u * 3u, 90);
    document().setLoadedPicture(std::move(photo), false, 0, "/pictures/Beach.JPG");
    window->relayout();
    EXPECT_EQ(window->statusText(), "640*480 Beach.JPG");
}

TEST_F(MainWindow, HelpShowsTheBookOrSaysItIsMissing) {
    window->onCommand(ID_HELP_CONTENT);
    ASSERT_EQ(dialogs->count("information"), 1);
    EXPECT_TRUE(dialogs->shown().back().text.contains("help book"));
    ASSERT_TRUE(QDir(program.path()).mkpath("Help"));
    ASSERT_TRUE(program.write("Help/index.html", "<h1>Guide</h1>"));
    window->onCommand(57670);
    EXPECT_EQ(dialogs->count("information"), 1);
}

TEST_F(MainWindow, AboutWindowOpensAndClosesWithItsButton) {
    window->onCommand(ID_HELP_ABOUT);
    QWidget* about = window->aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About");
    auto* close = about->findChild<controls::CSkinButton*>();
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindow, DialsFollowTheSelectionAndShowTheirReadouts) {
    const char* captions[] = {"Turn", "Size", "Angle", "Opacity"};
    for (int dial = 0; dial < 4; ++dial)
        EXPECT_EQ(window->dial(dial)->caption(), captions[dial]);
    EXPECT_EQ(window->dial(2)->readout(), "0\u00B0");
    EXPECT_EQ(window->dial(3)->readout(), "50%");
    EXPECT_FALSE(window->dial(0)->isActive());
    platform::sendMessage(window, platform::UM_OBJECTSELECTED, 0, 1);
    EXPECT_TRUE(window->dial(0)->isActive());
    platform::sendMessage(window, platform::UM_DIALCHANGED, static_cast<platform::WParam>(-90), 1);
    EXPECT_EQ(window->dial(1)->readout(), "50%");
    platform::sendMessage(window, platform::UM_DIALCHANGED, static_cast<platform::WParam>(-180), 1);
    EXPECT_EQ(window->dial(1)->readout(), "10%");
    platform::sendMessage(window, platform::UM_DIALCHANGED, 0, 3);
    EXPECT_EQ(window->dial(3)->readout(), "50%"); // 127 of 255
    platform::sendMessage(window, platform::UM_DIALCHANGED, 180, 3);
    EXPECT_EQ(window->dial(3)->readout(), "100%");
    platform::sendMessage(window, platform::UM_DIALCHANGED, static_cast<platform::WParam>(-45), 2);
    EXPECT_EQ(window->dial(2)->readout(), "-45\u00B0");
    EXPECT_EQ(document().brush().opacity, (window->dial(3)->value() + 180) * 255 / 360);
}

TEST_F(MainWindow, DoubleClickOnTheTitleStripAndTheButtonShareOneFlag) {
    QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_TRUE(window->maximised());
    window->onCommand(ID_MAXIMISE);
    EXPECT_FALSE(window->maximised());
}

TEST_F(MainWindow, WorkspaceCommandsReachTheSelectedText) {
    placeText();
    document().PlaceText(500, 400);
    ASSERT_EQ(document().activeText(), 1);
    window->onCommand(ID_SEND_TO_BACK);
    EXPECT_EQ(document().activeText(), 0);
    window->onCommand(ID_BRING_FORWARD);
    EXPECT_EQ(document().activeText(), 1);
    window->onCommand(ID_DELETE_SELECTED);
    EXPECT_EQ(document().objects().size(), 1);
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());

    // Escape reaches the workspace when it has the focus, and drops the selection.
    document().objects().get<text::TextObject>(0)->selected = 1;
    window->workspace()->setFocus();
    QTest::keyClick(window->workspace(), Qt::Key_Escape);
    EXPECT_EQ(document().objects().get<text::TextObject>(0)->selected, 0);
}

TEST_F(MainWindow, ChoosingACropAspectSeatsTheCropRectangle) {
    window->onCommand(ID_TAB_CROP);
    platform::sendMessage(window, platform::UM_CROPASPECT, 4, 3);
    const workspace::Rect crop = document().cropRect();
    EXPECT_TRUE(document().cropAspect().constrained);
    EXPECT_NEAR(crop.width() * 3, crop.height() * 4, 4);
    platform::sendMessage(window, platform::UM_CROPASPECT, 0, 0);
    EXPECT_FALSE(document().cropAspect().constrained);
    EXPECT_EQ(document().cropRect(), crop);
}

TEST_F(MainWindow, AThumbnailDroppedOnTheWorkspaceIsPlacedAtTheDropPoint) {
    DroppedClipart placement;
    document().setResourcePlacement(&placement);
    workspace::CWorkspaceWnd* canvas = window->workspace();
    const int cliparts = static_cast<int>(resources::ResourceCategory::Cliparts);
    window->dropOnWorkspace(cliparts, 2, canvas->mapToGlobal(QPoint(120, 90)));
    window->dropOnWorkspace(cliparts, 3, canvas->mapToGlobal(QPoint(-40, 90))); // beside it
    ASSERT_EQ(placement.cliparts.size(), 1u);
    EXPECT_EQ(placement.cliparts[0], (std::array<int, 3>{2, 120, 90}));
}

TEST_F(MainWindow, EscapeOrAClickEndsPreviewWhereverTheFocusIs) {
    window->button(ID_UNDO)->setFocus();
    window->onCommand(ID_PREVIEW);
    ASSERT_TRUE(window->previewing());
    // The key goes where a real key press goes: to the focus widget, or the window without one.
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(window->previewing());
    EXPECT_TRUE(window->button(ID_MENU_FILE)->isVisible());
    EXPECT_TRUE(window->isVisible());

    window->onCommand(ID_PREVIEW);
    ASSERT_TRUE(window->previewing());
    QTest::mouseClick(window->workspace(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_FALSE(window->previewing());
}

TEST_F(MainWindow, F1OpensTheHelpFromAnyChild) {
    QSignalSpy routed(window, &CEditorDlg::commandRouted);
    window->dial(2)->setFocus();
    QTest::keyClick(window->dial(2), Qt::Key_F1);
    ASSERT_FALSE(routed.isEmpty());
    EXPECT_EQ(routed.takeLast().at(0).toInt(), 57670);
    ASSERT_EQ(dialogs->count("information"), 1); // no help book in this program folder
    EXPECT_TRUE(dialogs->shown().back().text.contains("help book"));
}

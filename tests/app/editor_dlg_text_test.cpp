#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/colour/colour_tables.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/colour/zor_colour_picker.h"
#include "controls/colour/zor_colour_popup.h"
#include "platform/scripted_dialogs.h"
#include "support/editor_window.h"
#include "support/temp_folder.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_panel.h"
#include "text/widgets/text_style_list.h"
#include "workspace/widgets/workspace_wnd.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace app;
using testing_support::TempFolder;

namespace {

struct TextTool : ::testing::Test, testing_support::EditorWindow {

    void SetUp() override {
        startEditor();
        ASSERT_TRUE(activate());
        window->onCommand(ID_TAB_TEXT);
    }

    text::CTextPanel& panel() { return *window->textPanel(); }
    text::CTextBox& box() { return *panel().textBox(); }
    const text::TextObject* textAt(int index) { return document().objects().get<text::TextObject>(index); }
    int steps() { return document().history().stepCount(); }

    // Types into the text box and presses "Add", as the user does.
    void addText(const char* words) {
        box().setFocus();
        box().selectAll();
        QTest::keyClicks(&box(), words);
        panel().addButton()->click();
    }
};

} // namespace

TEST_F(TextTool, AddPlacesATextWithThePanelsTemplateAtThePhotosCorner) {
    panel().styleList()->setFocus();
    QTest::keyClick(panel().styleList(), Qt::Key_Down); // style 1 and its colours
    addText("Holiday");
    ASSERT_EQ(document().objects().size(), 1);
    const text::TextObject* placed = textAt(0);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(text::textOf(*placed), "Holiday");
    EXPECT_EQ(placed->style, 1);
    EXPECT_EQ(placed->colour, text::rgb(128, 65, 191));
    EXPECT_EQ(placed->secondColour, text::rgb(255, 255, 255));
    EXPECT_EQ(text::faceName(placed->font), text::faceName(panel().textTemplate().font));
    EXPECT_EQ(placed->font.height, 36);
    EXPECT_EQ(placed->left, document().viewRect().left);
    EXPECT_EQ(placed->top, document().viewRect().top);
    EXPECT_EQ(placed->selected, 1);
    EXPECT_TRUE(box().hasFocus()); // ready for typing into the new text
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());
}

TEST_F(TextTool, TypingUpdatesTheTextLiveAndABurstIsOneUndoStep) {
    addText("Sea");
    const int placed = steps();
    box().moveCursor(QTextCursor::End);
    QTest::keyClicks(&box(), " side");
    EXPECT_EQ(text::textOf(*textAt(0)), "Sea side"); // on the canvas as it is typed
    EXPECT_EQ(text::textOf(document().textTemplate()), "Sea side");
    EXPECT_EQ(steps(), placed);

    window->workspace()->setFocus(); // the box loses the focus: the burst ends
    EXPECT_EQ(steps(), placed + 1);

    // A second burst ended by a command (Ctrl+Z from the box itself) is recorded before the undo runs.
    box().setFocus();
    QTest::keyClicks(&box(), "!!");
    QTest::keyClick(&box(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text::textOf(*textAt(0)), "Sea side");
    EXPECT_EQ(box().text(), "Sea side"); // the box follows the undone text
    window->onCommand(ID_UNDO);
    EXPECT_EQ(text::textOf(*textAt(0)), "Sea");
    window->onCommand(ID_REDO);
    window->onCommand(ID_REDO);
    EXPECT_EQ(text::textOf(*textAt(0)), "Sea side!!");
}

TEST_F(TextTool, StyleColourAndTransparencyChangesRestyleTheSelectedText) {
    addText("Party");
    const int placed = steps();
    text::CTextStyleList* list = panel().styleList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(textAt(0)->style, 2);
    EXPECT_EQ(textAt(0)->colour, text::rgb(198, 25, 0));
    EXPECT_EQ(steps(), placed + 2); // one step per change

    controls::CZorColourPicker* first = panel().colourPicker(1);
    QTest::mouseClick(first, Qt::LeftButton);
    controls::CZorColourPopup* popup = first->popup();
    ASSERT_NE(popup, nullptr);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->layout().boxRect(13).center()); // Blue
    EXPECT_EQ(textAt(0)->colour, text::rgb(0, 0, 255));

    panel().transparencySlider()->setFocus();
    QTest::keyClick(panel().transparencySlider(), Qt::Key_End);
    EXPECT_EQ(textAt(0)->transparency, 1.0f);
    EXPECT_EQ(textAt(0)->style, 2);
}

TEST_F(TextTool, AClickOnATextSelectsItAndLeavesTheKeysWithTheCanvas) {
    addText("First");
    const QPoint corner(document().viewRect().left, document().viewRect().top);
    // A second text further down, typed into after it was added.
    document().textTemplate() = panel().textTemplate();
    document().PlaceText(corner.x() + 10, corner.y() + 200);
    ASSERT_EQ(document().objects().size(), 2);
    box().selectAll();
    QTest::keyClicks(&box(), "Second");
    EXPECT_EQ(text::textOf(*textAt(1)), "Second");

    const int typed = steps();
    workspace::CWorkspaceWnd* canvas = window->workspace();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, corner + QPoint(6, 8));
    // The click ended the typing burst first: its own step (the new selection) comes after the burst's.
    ASSERT_EQ(steps(), typed + 2);
    const text::TextObject* burst = document().history().step(typed).objects.get<text::TextObject>(1);
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(text::textOf(*burst), "Second");
    EXPECT_EQ(document().activeText(), 0);
    // The box shows the words, the caret at their end and nothing selected; the keys stay with the canvas.
    EXPECT_EQ(box().text(), "First");
    EXPECT_FALSE(box().textCursor().hasSelection());
    EXPECT_EQ(box().textCursor().position(), 5);
    EXPECT_TRUE(canvas->hasFocus());

    const int left = textAt(0)->left;
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_GT(textAt(0)->left, left);
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(textAt(0)->selected, 0);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, corner + QPoint(6, 8));
    EXPECT_EQ(textAt(0)->selected, 1);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, corner + QPoint(600, 100)); // beside every object
    EXPECT_EQ(textAt(0)->selected, 0);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, corner + QPoint(6, 8));
    const int selected = steps();
    QTest::keyClick(canvas, Qt::Key_Delete);
    ASSERT_EQ(document().objects().size(), 1);
    EXPECT_EQ(text::textOf(*textAt(0)), "Second");
    EXPECT_EQ(steps(), selected + 1);
    window->onCommand(ID_UNDO);
    ASSERT_EQ(document().objects().size(), 2);
    EXPECT_EQ(text::textOf(*textAt(0)), "First");

    // A click into the box gives it the keys; typing then goes into the selected text.
    QTest::mouseClick(box().viewport(), Qt::LeftButton, {}, QPoint(40, 8));
    EXPECT_TRUE(box().hasFocus());
    box().moveCursor(QTextCursor::End);
    QTest::keyClicks(&box(), "!");
    EXPECT_EQ(text::textOf(*textAt(0)), "First!");
}

TEST_F(TextTool, WithNoTextSelectedTheBoxEditsTheWordsOfTheNextAdd) {
    addText("Beach Day");
    window->workspace()->setFocus();
    QTest::keyClick(window->workspace(), Qt::Key_Escape);
    ASSERT_EQ(textAt(0)->selected, 0);

    QTest::mouseClick(box().viewport(), Qt::LeftButton, {}, QPoint(40, 8));
    box().selectAll();
    QTest::keyClicks(&box(), "Sunny");
    EXPECT_EQ(text::textOf(*textAt(0)), "Beach Day");
    window->workspace()->setFocus(); // the burst ends: there is nothing to record
    EXPECT_EQ(text::textOf(*textAt(0)), "Beach Day");

    document().textTemplate() = panel().textTemplate();
    document().PlaceText(document().viewRect().left + 10, document().viewRect().top + 200);
    ASSERT_EQ(document().objects().size(), 2);
    EXPECT_EQ(text::textOf(*textAt(1)), "Sunny");
    EXPECT_EQ(text::textOf(*textAt(0)), "Beach Day");
}

TEST_F(TextTool, EnterInTheBoxStartsANewLineOnTheCanvasText) {
    addText("Two");
    box().moveCursor(QTextCursor::End);
    QTest::keyClick(&box(), Qt::Key_Return);
    QTest::keyClicks(&box(), "lines");
    EXPECT_EQ(text::textOf(*textAt(0)), "Two\nlines");
}

TEST_F(TextTool, TheColourGridSetsTheBrushColour) {
    controls::CColourSwatchGrid* grid = window->colourGrid();
    const int swatch = 9 * 19 + 3;
    QTest::mouseClick(grid, Qt::LeftButton, {}, controls::swatchRect(swatch).center());
    EXPECT_EQ(document().brush().colour, controls::swatchColour(swatch));

    dialogs->queueColour(QColor(200, 100, 50));
    grid->dialogButton()->click();
    EXPECT_EQ(document().brush().colour, text::rgb(200, 100, 50));
}

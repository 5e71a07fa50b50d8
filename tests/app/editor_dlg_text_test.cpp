#include "app/command_ids.h"
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/colour/colour_tables.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/zor_combo_box.h"
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
#include <QSpinBox>
#include <QTest>
#include <cstring>
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

TEST_F(TextTool, AddPlacesANewTextWithThePanelsTemplateInThePhotosMiddle) {
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
    EXPECT_EQ(placed->font.height, 60); // Auto: a tenth of the 800 × 600 photo's shorter side
    const workspace::Rect& view = document().viewRect();
    EXPECT_NEAR(placed->left + placed->right, view.left + view.right, 3);
    EXPECT_NEAR(placed->top + placed->bottom, view.top + view.bottom, 3);
    EXPECT_EQ(placed->selected, 1);
    EXPECT_TRUE(box().hasFocus()); // ready for typing into the new text
    EXPECT_TRUE(window->button(ID_UNDO)->isEnabled());

    // Add over a text is another text with the words typed for it, at the height the size box says.
    QTest::keyClick(window->workspace(), Qt::Key_Escape);
    panel().sizeBox()->setValue(90);
    addText("Again");
    ASSERT_EQ(document().objects().size(), 2);
    EXPECT_EQ(text::textOf(*textAt(0)), "Holiday");
    EXPECT_EQ(text::textOf(*textAt(1)), "Again");
    EXPECT_EQ(textAt(1)->font.height, 90);
}

TEST_F(TextTool, AddWithAnEmptyBoxPlacesNothingAndSaysWhatToDo) {
    addText(" ");
    EXPECT_TRUE(document().objects().empty());
    EXPECT_FALSE(document().canUndo());
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text, "Type the words in the box first, then press Add.");
    EXPECT_TRUE(box().hasFocus());
}

TEST_F(TextTool, ThePanelShowsTheSelectedTextsSettingsAndAChangeTouchesOnlyThatSetting) {
    text::CTextStyleList* list = panel().styleList();
    list->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(list, Qt::Key_Down); // style 3
    panel().fontList()->setFocus();
    QTest::keyClick(panel().fontList(), Qt::Key_Down);
    panel().sizeBox()->setValue(90);
    addText("First");
    QTest::keyClick(window->workspace(), Qt::Key_Escape);
    const QString firstFace = text::faceName(textAt(0)->font);
    const text::TextObject first = *textAt(0);

    // With nothing selected the panel's changes are for the next text only.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down); // style 4
    panel().fontList()->setFocus();
    QTest::keyClick(panel().fontList(), Qt::Key_Up);
    panel().sizeBox()->setValue(panel().sizeBox()->minimum()); // Auto
    panel().transparencySlider()->setFocus();
    QTest::keyClick(panel().transparencySlider(), Qt::Key_End);
    EXPECT_EQ(std::memcmp(textAt(0), &first, sizeof first), 0);
    document().textTemplate() = panel().textTemplate();
    document().PlaceText(document().viewRect().left + 4, document().viewRect().top + 4);
    ASSERT_EQ(document().objects().size(), 2);
    EXPECT_NE(text::faceName(textAt(1)->font), firstFace);

    // A click on the first text shows its settings.
    const QPoint onFirst = QRect(QPoint(first.left, first.top), QPoint(first.right, first.bottom)).center();
    QTest::mouseClick(window->workspace(), Qt::LeftButton, {}, onFirst);
    ASSERT_EQ(document().activeText(), 0);
    EXPECT_EQ(panel().fontList()->currentText(), firstFace);
    EXPECT_EQ(list->selected(), 3);
    EXPECT_EQ(panel().colourPicker(1)->GetColour(), first.colour);
    EXPECT_EQ(panel().colourPicker(2)->GetColour(), first.secondColour);
    EXPECT_EQ(panel().transparencySlider()->position(), 0);
    EXPECT_EQ(panel().sizeBox()->value(), 90);

    // A new first colour changes that alone, as one undo step.
    const int selected = steps();
    controls::CZorColourPicker* picker = panel().colourPicker(1);
    QTest::mouseClick(picker, Qt::LeftButton);
    controls::CZorColourPopup* popup = picker->popup();
    ASSERT_NE(popup, nullptr);
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->layout().boxRect(13).center()); // Blue
    const text::TextObject& recoloured = *textAt(0);
    EXPECT_EQ(recoloured.colour, text::rgb(0, 0, 255));
    EXPECT_EQ(text::faceName(recoloured.font), firstFace);
    EXPECT_EQ(recoloured.style, 3);
    EXPECT_EQ(recoloured.secondColour, first.secondColour);
    EXPECT_EQ(recoloured.transparency, 0.0f);
    EXPECT_EQ(recoloured.font.height, 90);
    EXPECT_EQ(steps(), selected + 1);

    // The size box sizes it, keeping the rest.
    panel().sizeBox()->setValue(120);
    EXPECT_EQ(textAt(0)->font.height, 120);
    EXPECT_EQ(textAt(0)->colour, text::rgb(0, 0, 255));
    EXPECT_EQ(steps(), selected + 2);
    window->onCommand(ID_UNDO);
    EXPECT_EQ(textAt(0)->font.height, 90);
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
    const QPoint onFirst = QPoint(textAt(0)->left, textAt(0)->top) + QPoint(6, 8);
    // A second text in the corner, typed into after it was added.
    document().textTemplate() = panel().textTemplate();
    document().PlaceText(corner.x() + 10, corner.y() + 10);
    ASSERT_EQ(document().objects().size(), 2);
    box().selectAll();
    QTest::keyClicks(&box(), "Second");
    EXPECT_EQ(text::textOf(*textAt(1)), "Second");

    const int typed = steps();
    workspace::CWorkspaceWnd* canvas = window->workspace();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, onFirst);
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
    QTest::mouseClick(canvas, Qt::LeftButton, {}, onFirst);
    EXPECT_EQ(textAt(0)->selected, 1);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, corner + QPoint(600, 100)); // beside every object
    EXPECT_EQ(textAt(0)->selected, 0);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, onFirst);
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

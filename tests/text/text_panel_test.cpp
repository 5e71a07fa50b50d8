#include "controls/message_recorder.h"
#include "controls/buttons/skin_button.h"
#include "controls/skin_slider.h"
#include "controls/colour/zor_colour_picker.h"
#include "controls/colour/zor_colour_popup.h"
#include "controls/zor_combo_box.h"
#include "platform/scripted_dialogs.h"
#include "text/style_sample_cache.h"
#include "text/text_box_limit.h"
#include "text/widgets/text_box.h"
#include "text/widgets/text_panel.h"
#include "text/widgets/text_style_list.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace text;
using controls_test::MessageRecorder;

namespace {

struct Panel : ::testing::Test {
    platform::ScriptedDialogs dialogs;
    MessageRecorder parent;
    CTextPanel* panel = nullptr;

    void SetUp() override {
        auto owned = std::make_unique<CTextPanel>(
            dialogs, QStringList{"Liberation Serif", "DejaVu Sans", "Liberation Sans"}, &parent);
        panel = owned.release();
        parent.resize(1100, 140);
        panel->setGeometry(0, 0, 1062, 134);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    int count(int message) const {
        return static_cast<int>(std::count_if(parent.received.begin(), parent.received.end(),
                                              [message](const auto& m) { return m.message == message; }));
    }
};

} // namespace

TEST_F(Panel, StartsWithTheFirstFaceStyleZeroAndItsColours) {
    const TextTemplate& style = panel->textTemplate();
    EXPECT_EQ(faceName(style.font), "DejaVu Sans"); // the first of the sorted list
    EXPECT_EQ(panel->fontList()->currentText(), "DejaVu Sans");
    EXPECT_EQ(style.font.height, 0); // Auto: the document chooses by the photo
    EXPECT_EQ(panel->sizeBox()->text(), "Auto");
    EXPECT_EQ(style.style, 0);
    EXPECT_EQ(style.transparency, 0.0f);
    EXPECT_EQ(style.colour, rgb(0, 255, 0));
    EXPECT_EQ(style.secondColour, rgb(0, 156, 0));
    EXPECT_EQ(panel->colourPicker(1)->GetColour(), rgb(0, 255, 0));
    EXPECT_EQ(panel->colourPicker(2)->GetColour(), rgb(0, 156, 0));
    EXPECT_EQ(panel->colourPicker(1)->customText(), "Custom Color");
    EXPECT_EQ(panel->colourPicker(2)->customText(), "Costom Color");
    EXPECT_EQ(panel->colourPicker(2)->defaultText(), "Color");
    // The list shows a whole cell beside its scroll bar; the box follows it and keeps to the right edge.
    EXPECT_LT(panel->styleList()->cellRect(0).right(), panel->styleList()->width() - 17);
    EXPECT_EQ(panel->textBox()->geometry().right(), 1062 - 20 - 1);
    EXPECT_TRUE(panel->styleList()->scrollBarVisible());
}

TEST_F(Panel, ChoosingAStyleOverwritesBothColoursAndTellsTheParent) {
    panel->colourPicker(1)->SetColour(rgb(1, 2, 3));
    CTextStyleList* list = panel->styleList();
    list->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selected(), 4);
    EXPECT_TRUE(list->rect().contains(list->cellRect(4).center())); // scrolled into view
    const TextTemplate& style = panel->textTemplate();
    EXPECT_EQ(style.style, 4);
    EXPECT_EQ(style.colour, rgb(198, 25, 0));
    EXPECT_EQ(style.secondColour, rgb(255, 255, 0));
    EXPECT_EQ(panel->colourPicker(1)->GetColour(), rgb(198, 25, 0));
    EXPECT_EQ(panel->colourPicker(2)->GetColour(), rgb(255, 255, 0));
    EXPECT_EQ(count(platform::UM_TEXTSTYLE), 4);

    // A click on a sample chooses it too (here the lower part of sample 3, above sample 4).
    const QPoint onThree(list->cellRect(3).center().x(), list->cellRect(3).bottom() - 4);
    ASSERT_EQ(list->entryAt(onThree), 3);
    QTest::mouseClick(list, Qt::LeftButton, {}, onThree);
    EXPECT_EQ(style.style, 3);
    EXPECT_EQ(style.colour, rgb(0, 25, 198));
    EXPECT_EQ(style.secondColour, rgb(255, 255, 255));
}

TEST_F(Panel, TheSliderAtHundredMakesTheTextFullyTransparent) {
    controls::CSkinSlider* slider = panel->transparencySlider();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(panel->textTemplate().transparency, 1.0f);
    EXPECT_EQ(alphaFromTransparency(panel->textTemplate().transparency), 0);
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(panel->textTemplate().transparency, 0.0f);
    EXPECT_EQ(count(platform::UM_TEXTSTYLE), 2);
}

TEST_F(Panel, FaceAndColourChoicesGoIntoTheTemplate) {
    controls::CZorComboBox* fonts = panel->fontList();
    fonts->setFocus();
    QTest::keyClick(fonts, Qt::Key_Down);
    EXPECT_EQ(faceName(panel->textTemplate().font), "Liberation Sans");
    EXPECT_EQ(count(platform::UM_TEXTSTYLE), 1);

    controls::CZorColourPicker* second = panel->colourPicker(2);
    QTest::mouseClick(second, Qt::LeftButton);
    ASSERT_NE(second->popup(), nullptr);
    QTest::keyClick(second->popup(), Qt::Key_Right); // from the custom box (no named colour) on...
    QTest::keyClick(second->popup(), Qt::Key_Right); // ...past the default box to black
    QTest::keyClick(second->popup(), Qt::Key_Right); // Brown
    QTest::keyClick(second->popup(), Qt::Key_Return);
    EXPECT_EQ(panel->textTemplate().secondColour, rgb(165, 42, 0));
    EXPECT_EQ(count(platform::UM_TEXTSTYLE), 2);

    // The default box stands for the chosen style's own colour.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::mouseClick(second, Qt::LeftButton);
    controls::CZorColourPopup* popup = second->popup();
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->layout().defaultBox.center());
    EXPECT_EQ(panel->textTemplate().secondColour, rgb(0, 156, 0));
    EXPECT_EQ(second->GetColour(), rgb(0, 156, 0));
}

TEST_F(Panel, TheBoxTakesNoMoreThanARecordStores) {
    CTextBox* box = panel->textBox();
    box->setFocus();
    box->setText(QString(997, 'a'));
    box->moveCursor(QTextCursor::End);
    for (const char key : {'b', 'c', 'd', 'e'})
        QTest::keyClick(box, key);
    EXPECT_EQ(box->text(), QString(997, 'a') + "bc");

    // A paste in the middle keeps only what fits, in place.
    box->setText(QString(500, 'a') + QString(400, 'z'));
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(500);
    box->setTextCursor(cursor);
    QApplication::clipboard()->setText(QString(300, 'm'));
    box->paste();
    EXPECT_EQ(box->text(), QString(500, 'a') + QString(99, 'm') + QString(400, 'z'));
    EXPECT_TRUE(fitsTextBox(box->text()));

    // Every change is reported with the box's id and the "changed" code.
    ASSERT_GT(count(platform::UM_TEXTCHANGED), 0);
    const auto& last = parent.received.back();
    EXPECT_EQ(last.message, platform::UM_TEXTCHANGED);
    EXPECT_EQ(last.wParam, static_cast<platform::WParam>((0x300 << 16) | 10573));
}

TEST_F(Panel, AddTellsTheParent) {
    panel->addButton()->click();
    EXPECT_EQ(parent.received.back().message, platform::UM_ADDTEXT);
}

TEST_F(Panel, ATextChosenOnTheCanvasFillsTheBoxWithoutTheFocusOrCountingAsTyping) {
    QSignalSpy paused(panel, &CTextPanel::typingPaused);
    panel->styleList()->setFocus();
    TextObject chosen{};
    setText(chosen, u"Summer\nlake");
    chosen.font.height = 80;
    panel->editText(chosen);
    CTextBox* box = panel->textBox();
    EXPECT_EQ(box->text(), "Summer\nlake");
    EXPECT_TRUE(panel->styleList()->hasFocus()); // the keys stay where they were
    EXPECT_FALSE(box->textCursor().hasSelection());
    EXPECT_EQ(box->textCursor().position(), 11); // the caret at the end
    EXPECT_EQ(count(platform::UM_TEXTCHANGED), 1); // the templates follow the box
    EXPECT_EQ(count(platform::UM_TEXTSTYLE), 0);   // showing its settings restyles nothing
    EXPECT_EQ(panel->sizeBox()->value(), 80);

    box->setFocus();
    panel->setFocus(); // the box loses the focus, but nothing was typed
    EXPECT_EQ(paused.count(), 0);
}

TEST_F(Panel, TypingEndsWhenTheBoxLosesTheFocusOrAfterAPause) {
    QSignalSpy paused(panel, &CTextPanel::typingPaused);
    CTextBox* box = panel->textBox();
    box->setFocus();
    QTest::keyClicks(box, "Lake");
    EXPECT_EQ(paused.count(), 0);
    panel->styleList()->setFocus();
    EXPECT_EQ(paused.count(), 1);

    box->setFocus();
    QTest::keyClicks(box, " view");
    EXPECT_TRUE(paused.wait(CTextPanel::kTypingPauseMs + 1000));
    EXPECT_EQ(paused.count(), 2);
}

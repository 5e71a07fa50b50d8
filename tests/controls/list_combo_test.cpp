#include "controls/dez_list_box.h"
#include "controls/zor_combo_box.h"

#include <QSignalSpy>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace controls;

TEST(DezListBox, SortedInsertionKeepsTheSelectedRow) {
    QWidget parent;
    CDezListBox list(&parent);
    list.setSorted(true);
    EXPECT_EQ(list.addString("Nimbus"), 0);
    EXPECT_EQ(list.addString("courier"), 0); // case does not decide the order
    ASSERT_TRUE(list.setCurSel(1));
    EXPECT_EQ(list.addString("Arial"), 0);
    EXPECT_EQ(list.text(list.curSel()), "Nimbus");
    EXPECT_EQ(list.strings(), (QStringList{"Arial", "courier", "Nimbus"}));
    EXPECT_FALSE(list.setCurSel(3));
    EXPECT_FALSE(list.setCurSel(-2));
    EXPECT_EQ(list.curSel(), 2);
    EXPECT_TRUE(list.setCurSel(-1));
    list.resetContent();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.curSel(), -1);
}

TEST(DezListBox, KeysMoveTheSelectionAndScrollItIntoView) {
    QWidget parent;
    CDezListBox list(&parent);
    list.setGeometry(0, 0, 200, 102); // five rows of 20 inside the border
    for (int i = 0; i < 30; ++i)
        list.addString(QString("file %1.jpg").arg(i));
    QSignalSpy changed(&list, &CDezListBox::selectionChanged);
    QSignalSpy activated(&list, &CDezListBox::itemActivated);
    QTest::keyClick(&list, Qt::Key_Down); // nothing selected: the first row
    EXPECT_EQ(list.curSel(), 0);
    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(list.curSel(), 29);
    EXPECT_EQ(list.scrollOffset(), 30 * 20 - 100);
    QTest::keyClick(&list, Qt::Key_Down); // already last: no change reported
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(list.scrollOffset(), 0);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(changed.count(), 3);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 0);
}

TEST(DezListBox, ClicksSelectAndDoubleClicksActivate) {
    QWidget parent;
    CDezListBox list(&parent);
    list.setGeometry(0, 0, 200, 102);
    for (const char* format : {"JPG", "BMP", "GIF"})
        list.addString(format);
    QSignalSpy activated(&list, &CDezListBox::itemActivated);
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 1 + 20 + 10));
    EXPECT_EQ(list.curSel(), 1);
    EXPECT_EQ(activated.count(), 0);
    QTest::mouseClick(&list, Qt::LeftButton, {}, QPoint(30, 90)); // below the last row
    EXPECT_EQ(list.curSel(), 1);
    QTest::mouseDClick(&list, Qt::LeftButton, {}, QPoint(30, 1 + 40 + 10));
    EXPECT_EQ(list.curSel(), 2);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);
}

TEST(DezListBox, ScrollBarOnlyWhenTheRowsDoNotFit) {
    QWidget parent;
    CDezListBox list(&parent);
    list.setGeometry(0, 0, 200, 102);
    for (int i = 0; i < 5; ++i)
        list.addString(QString::number(i));
    EXPECT_FALSE(list.scrollBarVisible());
    list.addString("one more");
    EXPECT_TRUE(list.scrollBarVisible());
    // The scroll bar's column is not a row.
    EXPECT_EQ(list.rowAt(QPoint(195, 10)), -1);
    EXPECT_EQ(list.rowAt(QPoint(20, 10)), 0);
}

namespace {

struct ComboFixture : ::testing::Test {
    QWidget window;
    CZorComboBox* combo = new CZorComboBox(&window);
    ComboFixture() {
        window.resize(300, 300);
        combo->setGeometry(20, 20, 150, 22);
        combo->setSorted(true);
        for (const char* face : {"Nimbus Sans", "DejaVu Serif", "Liberation Mono", "DejaVu Sans"})
            combo->addString(face);
        combo->setCurSel(0);
        window.show();
    }
};

} // namespace

TEST_F(ComboFixture, ChoosingFromThePopupReportsTheRowAndCloses) {
    EXPECT_EQ(combo->currentText(), "DejaVu Sans");
    QSignalSpy changed(combo, &CZorComboBox::selectionChanged);
    QTest::mouseClick(combo, Qt::LeftButton);
    ASSERT_TRUE(combo->isPopupVisible());
    CDezListBox* list = combo->popupList();
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(30, 1 + 2 * list->rowHeight() + 5));
    EXPECT_FALSE(combo->isPopupVisible());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 2);
    EXPECT_EQ(combo->currentText(), "Liberation Mono");
}

TEST_F(ComboFixture, EscapeClosesThePopupUnchanged) {
    QSignalSpy changed(combo, &CZorComboBox::selectionChanged);
    combo->showPopup();
    ASSERT_TRUE(combo->isPopupVisible());
    QTest::keyClick(combo->popupList(), Qt::Key_Down);
    QTest::keyClick(combo->popupList(), Qt::Key_Escape);
    EXPECT_FALSE(combo->isPopupVisible());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(combo->curSel(), 0);
}

TEST_F(ComboFixture, ArrowKeysStepThroughTheRowsWhileClosed) {
    QSignalSpy changed(combo, &CZorComboBox::selectionChanged);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_End);
    QTest::keyClick(combo, Qt::Key_Down); // at the end: nothing
    EXPECT_EQ(combo->currentText(), "Nimbus Sans");
    EXPECT_EQ(changed.count(), 2);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->curSel(), 2);
    EXPECT_FALSE(combo->isPopupVisible());
}

TEST_F(ComboFixture, AFontNameTooLongIsShownWholeInTheTooltipOfTheFaceAndOfItsRow) {
    const QString whole = QStringLiteral("DejaVu Sans Condensed Extra Light Oblique Display");
    combo->setPreviewFonts(true); // as the text panel's face list
    const int longRow = combo->addString(whole);
    EXPECT_EQ(combo->toolTipAt(QPoint(30, 10)), ""); // "DejaVu Sans" fits
    combo->setCurSel(longRow);
    EXPECT_EQ(combo->toolTipAt(QPoint(30, 10)), whole);

    combo->showPopup();
    CDezListBox* list = combo->popupList();
    const auto rowPoint = [&](int row) { return QPoint(30, 1 + row * list->rowHeight() + 5); };
    EXPECT_EQ(list->toolTipAt(rowPoint(longRow)), whole);
    EXPECT_EQ(list->toolTipAt(rowPoint(longRow == 0 ? 1 : 0)), "");
    // The tooltip event shows it.
    QHelpEvent help(QEvent::ToolTip, rowPoint(longRow), list->mapToGlobal(rowPoint(longRow)));
    QApplication::sendEvent(list, &help);
    EXPECT_EQ(QToolTip::text(), whole);
    QToolTip::hideText();
}

TEST(ZorComboBox, EmptyComboOpensNothing) {
    QWidget window;
    CZorComboBox combo(&window);
    combo.showPopup();
    EXPECT_FALSE(combo.isPopupVisible());
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.curSel(), -1);
}

#include "controls/dez_menu.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace controls;
using Row = MenuItemRecord;

namespace {

std::vector<Row> toolMenu() {
    return {Row::command(10951, "Set Photo Area as Wallpaper"),
            Row::command(10950, "Remove Wallpaper"),
            Row::separatorRow(),
            Row::command(11996, "Batch Convert"),
            Row::separatorRow(),
            Row::popup("Add Linear Filter", {Row::command(11994, "Soften"), Row::command(11990, "Sharpen")}),
            Row::popup("Add Non Linear Filter", {Row::command(11980, "Erode"), Row::command(11983, "Edge")})};
}

QMenu* activePopup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

} // namespace

TEST(DezMenu, RowsBecomeActionsInOrderWithSeparatorsAndSubmenus) {
    CDezMenu menu(toolMenu());
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(menu.records().size(), 7u);
    EXPECT_EQ(actions[0]->text(), "Set Photo Area as Wallpaper");
    EXPECT_EQ(actions[0]->data().toInt(), 10951);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_TRUE(actions[4]->isSeparator());
    ASSERT_NE(actions[5]->menu(), nullptr);
    EXPECT_EQ(actions[5]->text(), "Add Linear Filter");
    const auto filters = actions[6]->menu()->actions();
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[1]->text(), "Edge");
    EXPECT_EQ(filters[1]->data().toInt(), 11983);
    EXPECT_EQ(actions[5]->menu()->actions()[0]->data().toInt(), 11994);
}

TEST(DezMenu, OnlyTheRowsMarkedCheckedShowAMark) {
    CDezMenu menu(
        {Row::command(10907, "Simple Photo Mode"), Row::command(10908, "Photo Collage Mode", true)});
    const auto actions = menu.actions();
    EXPECT_FALSE(actions[0]->isChecked());
    EXPECT_TRUE(actions[1]->isChecked());
    EXPECT_TRUE(actions[1]->isEnabled());
}

TEST(DezMenu, KeyboardChoosesACommand) {
    CDezMenu menu(toolMenu());
    QSignalSpy chosen(&menu, &CDezMenu::commandChosen);
    menu.popupAt(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QTest::keyClick(&menu, Qt::Key_Down); // first row
    QTest::keyClick(&menu, Qt::Key_Down); // second; the separator is stepped over next
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 11996);
    EXPECT_FALSE(menu.isVisible());
}

TEST(DezMenu, ASubmenuChoiceReachesTheTopMenu) {
    CDezMenu menu(toolMenu());
    QSignalSpy chosen(&menu, &CDezMenu::commandChosen);
    menu.popupAt(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(menu.actions()[6]);
    QTest::keyClick(&menu, Qt::Key_Right);
    QMenu* submenu = activePopup();
    ASSERT_NE(submenu, nullptr);
    ASSERT_NE(submenu, &menu);
    QTest::keyClick(submenu, Qt::Key_Down);
    QTest::keyClick(submenu, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 11983); // the non-linear Edge, not the linear one
}

TEST(DezMenu, ClickingARowChoosesItButNotWhenDisabled) {
    Row disabled = Row::command(10904, "Import Editing Resource");
    disabled.disabled = true;
    CDezMenu menu({Row::command(10900, "Import Photo"), disabled});
    QSignalSpy chosen(&menu, &CDezMenu::commandChosen);
    menu.popupAt(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions()[1]).center());
    EXPECT_EQ(chosen.count(), 0);
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions()[0]).center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 10900);
}

TEST(DezMenu, TrackReturnsTheChoiceOrZeroWhenDismissed) {
    {
        CDezMenu menu(toolMenu());
        QTimer::singleShot(0, [] {
            if (QMenu* popup = activePopup()) {
                QTest::keyClick(popup, Qt::Key_Down);
                QTest::keyClick(popup, Qt::Key_Return);
            }
        });
        EXPECT_EQ(menu.track(QPoint(30, 30)), 10951);
    }
    {
        CDezMenu menu(toolMenu());
        QTimer::singleShot(0, [] {
            if (QMenu* popup = activePopup())
                QTest::keyClick(popup, Qt::Key_Escape);
        });
        EXPECT_EQ(menu.track(QPoint(30, 30)), 0);
    }
}

TEST(DezMenu, DropDownsOpenAtTheButtonsLowerLeftCorner) {
    QWidget window;
    window.resize(400, 200);
    QPushButton button(&window);
    button.setGeometry(20, 30, 40, 20);
    EXPECT_EQ(CDezMenu::anchorBelow(button), window.mapToGlobal(QPoint(20, 50)));
}

TEST(DezMenu, RowsAreTallEnoughForTheirText) {
    CDezMenu menu(toolMenu());
    menu.ensurePolished();
    const QRect row = menu.actionGeometry(menu.actions()[0]);
    EXPECT_GE(row.height(), menu.fontMetrics().height() + 4);
    EXPECT_GE(row.width(), menu.fontMetrics().horizontalAdvance("Set Photo Area as Wallpaper") + 20);
    EXPECT_LT(menu.actionGeometry(menu.actions()[2]).height(), row.height()); // separators are thin
}

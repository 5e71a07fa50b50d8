#include "photo_list_fixture.h"

#include <QTest>
#include <QWheelEvent>

using namespace photolist_test;
using Bar = controls::CSkinScrollBar;

namespace {

void wheel(QWidget* target, int delta) {
    QWheelEvent event(QPointF(40, 40), QPointF(40, 40), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST_F(ListFixture, TheWheelScrollsItsDeltaInPixelsWithinTheRange) {
    fill(40); // range 853
    wheel(ctrl.get(), -120);
    EXPECT_EQ(ctrl->verticalOffset(), 120);
    EXPECT_EQ(ctrl->scrollBar().position(), 120);
    wheel(ctrl.get(), 40);
    EXPECT_EQ(ctrl->verticalOffset(), 80);
    wheel(ctrl.get(), 360);
    EXPECT_EQ(ctrl->verticalOffset(), 0);
    wheel(ctrl.get(), -120 * 10);
    EXPECT_EQ(ctrl->verticalOffset(), 853);
}

TEST_F(ListFixture, ScrollRequestsMoveByARowOrToTheGivenPosition) {
    fill(40);
    const auto request = [&](int code, platform::LParam position = 0) {
        platform::sendMessage(ctrl.get(), platform::UM_LISTSCROLL, static_cast<platform::WParam>(code),
                              position);
        return ctrl->verticalOffset();
    };
    EXPECT_EQ(request(Bar::LineDown), 76);
    EXPECT_EQ(request(Bar::PageDown), 152);
    EXPECT_EQ(request(Bar::LineUp), 76);
    EXPECT_EQ(request(Bar::ThumbTrack, 400), 400);
    EXPECT_EQ(request(Bar::PageUp), 324);
    EXPECT_EQ(request(Bar::EndScroll, 9), 324); // other codes leave the offset
    EXPECT_EQ(request(Bar::ThumbPosition, 5000), 853);
    EXPECT_EQ(request(Bar::LineDown), 853);
    EXPECT_EQ(request(Bar::Top), 0);
    EXPECT_EQ(request(Bar::LineUp), 0);
    EXPECT_EQ(request(Bar::Bottom), 853);
    EXPECT_EQ(ctrl->scrollBar().position(), 853);
}

TEST_F(ListFixture, TheScrollBarItselfAsksTheListToScroll) {
    fill(40);
    auto* bar = ctrl->findChild<Bar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->downArrowRect().center());
    EXPECT_EQ(ctrl->verticalOffset(), 76);
}

TEST_F(ListFixture, ResizingRecomputesTheGridAndKeepsTheOffsetInRange) {
    fill(40);
    EXPECT_EQ(ctrl->scrollBar().geometry(), QRect(173 - 16, -1, 17, 702));
    wheel(ctrl.get(), -120 * 8);
    EXPECT_EQ(ctrl->verticalOffset(), 853);
    ctrl->resize(17 + 4 * 76, 700); // four columns: 10 rows, range 793 - 700 + 33
    EXPECT_EQ(ctrl->columns(), 4);
    EXPECT_EQ(ctrl->scrollRange(), 93);
    EXPECT_EQ(ctrl->verticalOffset(), 93);
    EXPECT_EQ(ctrl->scrollBar().maximum(), 93);
    ctrl->resize(17 + 75, 700);
    EXPECT_EQ(ctrl->columns(), 0);
    EXPECT_EQ(ctrl->scrollRange(), 0);
    EXPECT_EQ(ctrl->verticalOffset(), 0);
}

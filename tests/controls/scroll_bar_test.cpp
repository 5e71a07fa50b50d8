#include "controls/skin_scroll_bar.h"
#include "message_recorder.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace controls;
using controls_test::MessageRecorder;
using Bar = CSkinScrollBar;

namespace {

struct ScrollBarFixture : ::testing::Test {
    MessageRecorder parent;
    Bar* bar = new Bar(&parent);
    ScrollBarFixture() {
        parent.resize(100, 300);
        bar->setGeometry(0, 0, Bar::kWidth, 200);
        bar->setRange(0, 760);
        bar->setPage(200);
        bar->setPosition(100);
    }
    std::vector<int> codes() const {
        std::vector<int> list;
        for (const auto& message : parent.received) {
            EXPECT_EQ(message.message, platform::UM_LISTSCROLL);
            list.push_back(static_cast<int>(message.wParam));
        }
        return list;
    }
};

} // namespace

TEST_F(ScrollBarFixture, ArrowsAskForALineAndTheBarWaitsForItsOwner) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->downArrowRect().center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->upArrowRect().center());
    EXPECT_EQ(codes(), (std::vector<int>{Bar::LineDown, Bar::EndScroll, Bar::LineUp, Bar::EndScroll}));
    EXPECT_EQ(parent.received[0].lParam, 100);
    EXPECT_EQ(bar->position(), 100); // only the owner moves it
}

TEST_F(ScrollBarFixture, TrackAboveAndBelowTheThumbAsksForAPage) {
    const QRect thumb = bar->thumbRect();
    ASSERT_TRUE(thumb.isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, thumb.bottom() + 5));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, thumb.top() - 3));
    EXPECT_EQ(codes(), (std::vector<int>{Bar::PageDown, Bar::EndScroll, Bar::PageUp, Bar::EndScroll}));
}

TEST_F(ScrollBarFixture, DraggingTheThumbTracksAndEndsWithItsPosition) {
    const QPoint grip = bar->thumbRect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(bar, grip + QPoint(0, 20));
    QTest::mouseMove(bar, grip + QPoint(0, 500)); // far below the bar
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip + QPoint(0, 500));

    const auto list = codes();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], Bar::ThumbTrack);
    EXPECT_GT(parent.received[0].lParam, 100);
    EXPECT_LT(parent.received[0].lParam, 760);
    EXPECT_EQ(list[1], Bar::ThumbTrack);
    EXPECT_EQ(parent.received[1].lParam, 760); // clamped to the range
    EXPECT_EQ(list[2], Bar::ThumbPosition);
    EXPECT_EQ(parent.received[2].lParam, 760);
    EXPECT_EQ(list[3], Bar::EndScroll);
}

TEST_F(ScrollBarFixture, GrabbingTheThumbWithoutMovingItChangesNothing) {
    const QPoint grip = bar->thumbRect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, grip);
    EXPECT_EQ(codes(), (std::vector<int>{Bar::ThumbPosition, Bar::EndScroll}));
    EXPECT_EQ(parent.received[0].lParam, 100);
}

TEST_F(ScrollBarFixture, NothingToScrollAsksForNothing) {
    bar->setRange(0, 0);
    EXPECT_FALSE(bar->thumbRect().isValid());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->downArrowRect().center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, 100));
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(ScrollBarFixture, ThumbFollowsThePositionAndThePage) {
    bar->setPosition(0);
    const QRect atTop = bar->thumbRect();
    EXPECT_EQ(atTop.top(), bar->upArrowRect().bottom() + 1);
    bar->setPosition(760);
    EXPECT_EQ(bar->thumbRect().bottom(), bar->downArrowRect().top() - 1);
    bar->setPosition(5000);
    EXPECT_EQ(bar->position(), 760);
    // A larger page against the same range gives a longer thumb.
    bar->setPage(600);
    EXPECT_GT(bar->thumbRect().height(), atTop.height());
}

TEST_F(ScrollBarFixture, AnotherMessageOrNoneCanBeChosen) {
    QSignalSpy spy(bar, &Bar::scrollRequested);
    bar->setNotifyMessage(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->downArrowRect().center());
    EXPECT_TRUE(parent.received.empty());
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), Bar::LineDown);
}

TEST(ScrollBarAnswer, EachRequestMovesTheOwnerWithinItsRange) {
    using Bar = controls::CSkinScrollBar;
    // line 10, page 50, range [0, 200], now at 100
    EXPECT_EQ(Bar::answer(Bar::LineUp, 0, 100, 10, 50, 200), 90);
    EXPECT_EQ(Bar::answer(Bar::LineDown, 0, 100, 10, 50, 200), 110);
    EXPECT_EQ(Bar::answer(Bar::PageUp, 0, 100, 10, 50, 200), 50);
    EXPECT_EQ(Bar::answer(Bar::PageDown, 0, 100, 10, 50, 200), 150);
    EXPECT_EQ(Bar::answer(Bar::ThumbTrack, 33, 100, 10, 50, 200), 33);
    EXPECT_EQ(Bar::answer(Bar::ThumbPosition, 500, 100, 10, 50, 200), 200);
    EXPECT_EQ(Bar::answer(Bar::Top, 0, 100, 10, 50, 200), 0);
    EXPECT_EQ(Bar::answer(Bar::Bottom, 0, 100, 10, 50, 200), 200);
    EXPECT_EQ(Bar::answer(Bar::EndScroll, 7, 100, 10, 50, 200), 100);
    // Past either end the owner stops at the end; with nothing to scroll it stays at the top.
    EXPECT_EQ(Bar::answer(Bar::PageUp, 0, 20, 10, 50, 200), 0);
    EXPECT_EQ(Bar::answer(Bar::PageDown, 0, 180, 10, 50, 200), 200);
    EXPECT_EQ(Bar::answer(Bar::LineDown, 0, 0, 10, 50, 0), 0);
}

#include "controls/dial_ctrl.h"
#include "controls/skin_slider.h"
#include "message_recorder.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace controls;
using controls_test::MessageRecorder;

namespace {

struct DialFixture : ::testing::Test {
    MessageRecorder parent;
    CDialCtrl* dial = new CDialCtrl(3, &parent);
    DialFixture() {
        parent.resize(200, 200);
        dial->setGeometry(10, 10, 60, 60);
    }
    QPoint centre() const { return dial->rect().center() + QPoint(1, 1); }
};

} // namespace

TEST_F(DialFixture, DraggingPointsTheDialAtThePointerAndReportsEachValue) {
    QSignalSpy spy(dial, &CDialCtrl::valueChanged);
    const QPoint c = centre();
    QTest::mousePress(dial, Qt::LeftButton, {}, c + QPoint(20, 0)); // right: a quarter turn clockwise
    QTest::mouseMove(dial, c + QPoint(0, 20));                      // down: half a turn
    QTest::mouseMove(dial, c + QPoint(-20, 0));                     // left: a quarter turn back
    QTest::mouseRelease(dial, Qt::LeftButton, {}, c + QPoint(-20, 0));

    EXPECT_EQ(dial->value(), -90);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 90);
    EXPECT_EQ(std::abs(spy.at(1).at(0).toInt()), 180);
    ASSERT_EQ(parent.received.size(), 3u);
    for (const auto& message : parent.received) {
        EXPECT_EQ(message.message, platform::UM_DIALCHANGED);
        EXPECT_EQ(message.lParam, 3);
    }
    // A negative value survives the trip through the unsigned wParam.
    EXPECT_EQ(parent.received.back().signedWParam(), -90);
}

TEST_F(DialFixture, MovingAfterReleaseTurnsNothing) {
    const QPoint c = centre();
    QTest::mousePress(dial, Qt::LeftButton, {}, c + QPoint(0, -20));
    QTest::mouseRelease(dial, Qt::LeftButton, {}, c + QPoint(0, -20));
    QTest::mouseMove(dial, c + QPoint(20, 0));
    EXPECT_EQ(dial->value(), 0);
    EXPECT_TRUE(parent.received.empty()); // pointing at 0 while at 0 is no change
}

TEST_F(DialFixture, InactiveDialIgnoresTheUser) {
    dial->setActive(false);
    QTest::mouseClick(dial, Qt::LeftButton, {}, centre() + QPoint(20, 0));
    QTest::keyClick(dial, Qt::Key_Right);
    EXPECT_EQ(dial->value(), 0);
    EXPECT_TRUE(parent.received.empty());
}

TEST_F(DialFixture, ValuesStayWithinAHalfTurnEachWay) {
    dial->setValue(500);
    EXPECT_EQ(dial->value(), 180);
    dial->setValue(-181);
    EXPECT_EQ(dial->value(), -180);
    EXPECT_TRUE(parent.received.empty()); // set by the program: nothing reported
    QTest::keyClick(dial, Qt::Key_Left);
    EXPECT_EQ(dial->value(), -180);
    EXPECT_TRUE(parent.received.empty());
    QTest::keyClick(dial, Qt::Key_PageUp);
    EXPECT_EQ(dial->value(), -165);
    QTest::keyClick(dial, Qt::Key_Home);
    EXPECT_EQ(dial->value(), 0);
    EXPECT_EQ(parent.received.size(), 2u);
}

namespace {

struct SliderFixture : ::testing::Test {
    MessageRecorder parent;
    CSkinSlider* slider = new CSkinSlider(&parent);
    SliderFixture() {
        parent.resize(300, 100);
        slider->setGeometry(10, 10, 110, 13);
        slider->setRange(16, 256);
        slider->setPosition(128);
        slider->setNotifyMessage(platform::UM_BRUSHVALUE);
    }
};

} // namespace

TEST_F(SliderFixture, RangeAndPositionAreKeptConsistent) {
    slider->setPosition(1000);
    EXPECT_EQ(slider->position(), 256);
    slider->setPosition(0);
    EXPECT_EQ(slider->position(), 16);
    slider->setRange(100, 50); // reversed
    EXPECT_EQ(slider->minimum(), 50);
    EXPECT_EQ(slider->maximum(), 100);
    EXPECT_EQ(slider->position(), 50);
    slider->setRange(60, 60);
    slider->setPosition(70);
    EXPECT_EQ(slider->position(), 60);
}

TEST_F(SliderFixture, DraggingPastTheEndsStopsAtTheEnds) {
    QSignalSpy spy(slider, &CSkinSlider::positionChanged);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(55, 6));
    QTest::mouseMove(slider, QPoint(400, 6));
    EXPECT_EQ(slider->position(), 256);
    QTest::mouseMove(slider, QPoint(-300, 6));
    EXPECT_EQ(slider->position(), 16);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(-300, 6));
    EXPECT_GE(spy.count(), 2);
    // The notification is posted: the parent reads the position once the event loop runs.
    EXPECT_TRUE(parent.received.empty());
    QCoreApplication::processEvents();
    ASSERT_FALSE(parent.received.empty());
    EXPECT_EQ(parent.received.back().message, platform::UM_BRUSHVALUE);
}

TEST_F(SliderFixture, ClickingTheTrackJumpsThereAndKeysStep) {
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(109, 6));
    EXPECT_EQ(slider->position(), 256);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->position(), 256);
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(slider->position(), 16);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->position(), 40);
    // A position set by the program reports nothing.
    QSignalSpy spy(slider, &CSkinSlider::positionChanged);
    slider->setPosition(100);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(SliderFixture, ThumbTakenOffCentreDoesNotJump) {
    slider->setPosition(136); // the middle
    const QPoint grip(55 + 3, 6);
    QTest::mousePress(slider, Qt::LeftButton, {}, grip);
    EXPECT_EQ(slider->position(), 136);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, grip);
}

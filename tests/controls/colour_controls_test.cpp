#include "controls/colour/colour_popup_layout.h"
#include "controls/colour/colour_swatch_grid.h"
#include "controls/colour/colour_tables.h"
#include "controls/buttons/skin_button.h"
#include "controls/colour/zor_colour_picker.h"
#include "controls/colour/zor_colour_popup.h"
#include "message_recorder.h"
#include "platform/scripted_dialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

using namespace controls;
using controls_test::MessageRecorder;

namespace {

constexpr int kPickerId = 10571;

// A mouse move with no button held, delivered straight to the widget (moving the cursor would reach
// whichever window the platform finds under it).
void hover(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(widget, &move);
}

QRect screenRoom() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// A parent window that records the picker's notifications, with one picker in it.
struct PickerFixture : ::testing::Test {
    platform::ScriptedDialogs dialogs;
    MessageRecorder parent;
    CZorColourPicker* picker = nullptr;

    void SetUp() override {
        auto owned = std::make_unique<CZorColourPicker>(kPickerId, dialogs, &parent);
        picker = owned.release();
        picker->SetPickingMode(CZorColourPicker::PickText);
        picker->SetColour(colourRef(0, 156, 0));
        picker->SetDefaultText("Color");
        picker->SetCustomText("Custom Color");
        placeWindowAt(screenRoom().topLeft() + QPoint(40, 40));
    }

    void placeWindowAt(QPoint topLeft) {
        parent.setGeometry(QRect(topLeft, QSize(200, 60)));
        picker->setGeometry(10, 10, 130, 20);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }

    CZorColourPopup* open() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // an earlier popup
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(30, 10));
        return picker->popup();
    }

    std::vector<int> messages() const {
        std::vector<int> seen;
        for (const auto& message : parent.received)
            seen.push_back(message.message);
        return seen;
    }

    const controls_test::Recorded& last() const { return parent.received.back(); }
};

} // namespace

TEST(ColourTables, PopupColoursKeepTheirOrderNamesAndPlaces) {
    const auto& colours = popupColours();
    ASSERT_EQ(colours.size(), 40u);
    EXPECT_STREQ(colours[0].name, "Black");
    EXPECT_EQ(colours[1].colour, colourRef(165, 42, 0));
    EXPECT_STREQ(colours[9].name, "Orange");
    EXPECT_EQ(colours[9].colour, 0x002068FFu);     // red in the low byte
    EXPECT_STREQ(colours[35].name, "Pale green "); // the trailing blank is part of the name
    EXPECT_STREQ(colours[39].name, "White");
    EXPECT_EQ(popupColourIndex(colourRef(255, 215, 0)), 25);
    EXPECT_EQ(popupColourIndex(colourRef(1, 2, 3)), -1);

    // Box i sits at column i mod 8 and row i div 8, and its tooltip is its name.
    const ColourPopupLayout layout = computeColourPopupLayout(40, 2, QSize(40, 14), QSize(80, 14));
    EXPECT_EQ(layout.rows, 5);
    EXPECT_EQ(layout.boxSize, 18);
    const QRect box11 = layout.boxRect(11);
    EXPECT_EQ(box11.topLeft() - layout.boxRect(0).topLeft(), QPoint(3 * 18, 1 * 18));
    EXPECT_EQ(layout.boxAt(box11.center()), 11);
    EXPECT_EQ(layout.boxAt(layout.defaultBox.center()), kDefaultBox);
    EXPECT_EQ(layout.boxAt(layout.customBox.center()), kCustomBox);
    EXPECT_LT(layout.defaultBox.bottom(), layout.boxRect(0).top());
    EXPECT_GT(layout.customBox.top(), layout.boxRect(39).bottom());
    EXPECT_LE(layout.customBox.bottom(), layout.windowSize.height());
    EXPECT_EQ(layout.windowSize.width(), 8 * 18 + 4);
    // A caption wider than the colours widens the window.
    EXPECT_EQ(computeColourPopupLayout(40, 2, QSize(), QSize(200, 14)).windowSize.width(), 204);
}

TEST(ColourTables, SwatchGridHoldsTwelveGreysAndEveryWebColourOnce) {
    const int greys[12] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
    for (int column = 0; column < 12; ++column)
        EXPECT_EQ(swatchColour(column * 19), colourRef(greys[column], greys[column], greys[column]));
    QSet<ColourRef> web;
    for (int index = 0; index < kSwatchCount; ++index) {
        if (index % 19 == 0)
            continue;
        const ColourRef colour = swatchColour(index);
        for (int shift : {0, 8, 16})
            EXPECT_EQ(((colour >> shift) & 0xFF) % 51, 0u) << index;
        web.insert(colour);
    }
    EXPECT_EQ(web.size(), 216);
    // Blue steps along a row, green down the rows, red by blocks of six rows and then to the right block.
    EXPECT_EQ(swatchColour(0 * 19 + 1), colourRef(0, 0, 0));
    EXPECT_EQ(swatchColour(5 * 19 + 1), colourRef(0, 0, 255));
    EXPECT_EQ(swatchColour(0 * 19 + 6), colourRef(0, 255, 0));
    EXPECT_EQ(swatchColour(0 * 19 + 7), colourRef(51, 0, 0));
    EXPECT_EQ(swatchColour(6 * 19 + 1), colourRef(153, 0, 0));
    EXPECT_EQ(swatchColour(11 * 19 + 18), colourRef(255, 255, 255));
    EXPECT_EQ(colourHexText(colourRef(255, 104, 32)), "FF6820");
}

TEST(ColourTables, SwatchHitTestSkipsGridLinesAndTheOutside) {
    EXPECT_EQ(swatchAt({0, 0}), 0);
    EXPECT_EQ(swatchAt({6, 6}), 0);
    EXPECT_EQ(swatchAt({7, 3}), -1); // the line between two swatches
    EXPECT_EQ(swatchAt({3, 7}), -1);
    EXPECT_EQ(swatchAt({8, 0}), 19);
    EXPECT_EQ(swatchAt({3 * 8 + 2, 5 * 8 + 6}), 3 * 19 + 5);
    EXPECT_EQ(swatchAt({11 * 8 + 6, 18 * 8 + 6}), kSwatchCount - 1);
    EXPECT_EQ(swatchAt({11 * 8 + 6, 19 * 8 + 1}), -1); // the colour field below the grid
    EXPECT_EQ(swatchAt({96, 10}), -1);
    EXPECT_EQ(swatchAt({-1, 10}), -1);
    for (int index = 0; index < kSwatchCount; ++index)
        ASSERT_EQ(swatchAt(swatchRect(index).center()), index);
}

TEST(ColourPopupKeys, ArrowsWrapThroughTheDefaultAndCustomBoxes) {
    auto move = [](int hot, PopupMove step, bool hasDefault = true, bool hasCustom = true) {
        return movePopupHot(hot, step, 40, hasDefault, hasCustom);
    };
    EXPECT_EQ(move(kNoBox, PopupMove::Right), 0);
    EXPECT_EQ(move(7, PopupMove::Right), 8); // on to the next row
    EXPECT_EQ(move(39, PopupMove::Right), kCustomBox);
    EXPECT_EQ(move(kCustomBox, PopupMove::Right), kDefaultBox);
    EXPECT_EQ(move(kDefaultBox, PopupMove::Right), 0);
    EXPECT_EQ(move(0, PopupMove::Left), kDefaultBox);
    EXPECT_EQ(move(kDefaultBox, PopupMove::Left), kCustomBox);
    EXPECT_EQ(move(kCustomBox, PopupMove::Left), 39);
    EXPECT_EQ(move(3, PopupMove::Down), 11);
    EXPECT_EQ(move(35, PopupMove::Down), kCustomBox);
    EXPECT_EQ(move(3, PopupMove::Up), kDefaultBox);
    EXPECT_EQ(move(kDefaultBox, PopupMove::Down), 0);
    // Without a default box the walk goes between the first colour and the custom box.
    EXPECT_EQ(move(0, PopupMove::Left, false), kCustomBox);
    EXPECT_EQ(move(kCustomBox, PopupMove::Right, false), 0);
    EXPECT_EQ(move(2, PopupMove::Up, false), kCustomBox);
    // Without either box the colours wrap onto themselves, keeping the column for Up and Down.
    EXPECT_EQ(move(39, PopupMove::Right, false, false), 0);
    EXPECT_EQ(move(0, PopupMove::Left, false, false), 39);
    EXPECT_EQ(move(34, PopupMove::Down, false, false), 2);
    EXPECT_EQ(move(2, PopupMove::Up, false, false), 34);
    EXPECT_EQ(movePopupHot(6, PopupMove::Up, 38, false, false), 30); // a short last row
}

TEST(ColourPopupPlace, StaysOnTheScreenAndOpensAboveNearTheBottom) {
    const QRect screen(0, 0, 1024, 768);
    const QSize size(148, 160);
    EXPECT_EQ(placeColourPopup({100, 200}, size, 180, screen), QPoint(100, 200));
    EXPECT_EQ(placeColourPopup({1000, 200}, size, 180, screen), QPoint(1024 - 148, 200));
    EXPECT_EQ(placeColourPopup({-30, 200}, size, 180, screen), QPoint(0, 200));
    EXPECT_EQ(placeColourPopup({100, 700}, size, 680, screen), QPoint(100, 680 - 160));
    // A second screen to the right of the first.
    const QRect second(1024, 0, 800, 600);
    EXPECT_EQ(placeColourPopup({1800, 100}, size, 80, second), QPoint(1824 - 148, 100));
}

TEST_F(PickerFixture, OpeningReportsTheDropDownBelowTheButton) {
    CZorColourPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker->popupActive());
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->geometry().topLeft(), picker->mapToGlobal(QPoint(0, picker->height())));
    ASSERT_EQ(messages(), std::vector<int>{platform::UM_COLOURDROPDOWN});
    EXPECT_EQ(last().wParam, colourRef(0, 156, 0));
    EXPECT_EQ(last().lParam, kPickerId);
    // This green is not one of the 40 named colours, so the custom box is the chosen one.
    EXPECT_EQ(popup->chosenIndex(), kCustomBox);
    EXPECT_EQ(popup->toolTipAt(popup->layout().boxRect(35).center()), "Pale green ");
    EXPECT_EQ(popup->toolTipAt(popup->layout().customBox.center()), "");
}

TEST_F(PickerFixture, ClickingAColourPicksIt) {
    CZorColourPopup* popup = open();
    const QPoint red = popup->layout().boxRect(16).center();
    hover(popup, red);
    QTest::mouseClick(popup, Qt::LeftButton, {}, red);
    EXPECT_FALSE(picker->popupActive());
    EXPECT_EQ(picker->GetColour(), colourRef(255, 0, 0));
    const std::vector<int> expected{platform::UM_COLOURDROPDOWN, platform::UM_COLOURCHANGE,
                                    platform::UM_COLOURCLOSEUP, platform::UM_COLOURPICKED};
    EXPECT_EQ(messages(), expected);
    EXPECT_EQ(last().wParam, colourRef(255, 0, 0));
    EXPECT_EQ(last().lParam, kPickerId);
    // The popup goes once the click that ended it has been handled.
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(picker->popup(), nullptr);
}

TEST_F(PickerFixture, EscapeRestoresTheColourEvenAfterTrackedHovering) {
    picker->SetTrackSelection(true);
    CZorColourPopup* popup = open();
    hover(popup, popup->layout().boxRect(13).center());
    EXPECT_EQ(picker->GetColour(), colourRef(0, 0, 255)); // tracked at once
    QTest::keyClick(popup, Qt::Key_Right);
    EXPECT_EQ(picker->GetColour(), popupColours()[14].colour);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_EQ(picker->GetColour(), colourRef(0, 156, 0));
    EXPECT_EQ(messages().back(), platform::UM_COLOURCANCEL);
    EXPECT_EQ(last().wParam, colourRef(0, 156, 0));
    EXPECT_EQ(parent.received[parent.received.size() - 2].message, platform::UM_COLOURCLOSEUP);
}

TEST_F(PickerFixture, WithoutTrackingHoveringOnlyNotifies) {
    CZorColourPopup* popup = open();
    hover(popup, popup->layout().defaultBox.center());
    EXPECT_EQ(picker->GetColour(), colourRef(0, 156, 0));
    EXPECT_EQ(messages().back(), platform::UM_COLOURCHANGE);
    EXPECT_EQ(last().wParam, kDefaultColour);
    QTest::keyClick(popup, Qt::Key_Return); // the default box: no RGB colour at all
    EXPECT_EQ(picker->GetColour(), kDefaultColour);
    EXPECT_EQ(messages().back(), platform::UM_COLOURPICKED);
}

TEST_F(PickerFixture, TheCustomBoxAsksTheColourDialogAndItsCancelCancelsThePick) {
    dialogs.queueColour(QColor(12, 34, 56));
    CZorColourPopup* popup = open();
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->layout().customBox.center());
    ASSERT_EQ(dialogs.count("colour"), 1);
    EXPECT_EQ(dialogs.shown().back().detail, QColor(0, 156, 0).name());
    EXPECT_EQ(picker->GetColour(), colourRef(12, 34, 56));
    EXPECT_EQ(messages().back(), platform::UM_COLOURPICKED);

    // No answer queued: the dialog is cancelled, and so is the whole pick.
    popup = open();
    hover(popup, popup->layout().boxRect(20).center());
    ASSERT_EQ(popup->hotIndex(), 20);
    for (int row = 2; row < 5; ++row)
        QTest::keyClick(popup, Qt::Key_Down); // down to the last row and into the custom box
    ASSERT_EQ(popup->hotIndex(), kCustomBox);
    QTest::keyClick(popup, Qt::Key_Space);
    EXPECT_EQ(dialogs.count("colour"), 2);
    EXPECT_EQ(picker->GetColour(), colourRef(12, 34, 56));
    EXPECT_EQ(messages().back(), platform::UM_COLOURCANCEL);
    EXPECT_EQ(last().wParam, colourRef(12, 34, 56));
}

TEST_F(PickerFixture, AClickOutsideCancels) {
    CZorColourPopup* popup = open();
    hover(popup, popup->layout().boxRect(5).center());
    QTest::mousePress(popup, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_FALSE(picker->popupActive());
    EXPECT_EQ(messages().back(), platform::UM_COLOURCANCEL);
    EXPECT_EQ(picker->GetColour(), colourRef(0, 156, 0));
}

TEST_F(PickerFixture, APickerAtTheScreensRightEdgeKeepsItsPopupOnScreen) {
    const QRect room = screenRoom();
    placeWindowAt(QPoint(room.right() + 1 - 150, room.top() + 40));
    ASSERT_GT(picker->mapToGlobal(QPoint(0, 0)).x() + 148, room.right());
    CZorColourPopup* popup = open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(room.contains(popup->geometry())) << popup->geometry().x() << "," << popup->geometry().y();
    EXPECT_EQ(popup->geometry().right(), room.right());
    QTest::keyClick(popup, Qt::Key_Escape);

    placeWindowAt(QPoint(room.left() + 40, room.bottom() + 1 - 60));
    popup = open();
    EXPECT_EQ(popup->geometry().bottom() + 1, picker->mapToGlobal(QPoint(0, 0)).y()); // above the button
}

TEST(ColourSwatchGrid, HoverPreviewsAndAClickChoosesAndTellsTheParent) {
    platform::ScriptedDialogs dialogs;
    MessageRecorder parent;
    auto owned = std::make_unique<CColourSwatchGrid>(dialogs, &parent);
    CColourSwatchGrid* grid = owned.release();
    grid->setGeometry(QRect(QPoint(0, 0), kSwatchGridSize));
    parent.resize(200, 200);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    const QPoint cell = swatchRect(7 * 19 + 4).center();
    hover(grid, cell);
    EXPECT_EQ(grid->hotIndex(), 7 * 19 + 4);
    EXPECT_EQ(grid->previewColour(), swatchColour(7 * 19 + 4));
    EXPECT_EQ(grid->GetColour(), 0u); // only previewed
    hover(grid, QPoint(7, 7));
    EXPECT_EQ(grid->previewColour(), std::nullopt);

    QTest::mouseClick(grid, Qt::LeftButton, {}, cell);
    EXPECT_EQ(grid->GetColour(), swatchColour(7 * 19 + 4));
    ASSERT_EQ(parent.received.size(), 1u);
    EXPECT_EQ(parent.received[0].message, platform::UM_RESOURCEPICKED);
    EXPECT_EQ(parent.received[0].wParam, 1u);
    EXPECT_EQ(parent.received[0].lParam, 0);
    // The field shows the chosen colour.
    const QImage shot = grid->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() * 5 / 95, shot.height() * 160 / 170).rgb(),
              toQColor(swatchColour(7 * 19 + 4)).rgb());

    // The dialog button: OK takes its colour (and tells the parent), Cancel changes nothing.
    dialogs.queueColour(QColor(10, 20, 30));
    grid->dialogButton()->click();
    EXPECT_EQ(grid->GetColour(), colourRef(10, 20, 30));
    EXPECT_EQ(parent.received.size(), 2u);
    EXPECT_EQ(dialogs.shown().back().detail, toQColor(swatchColour(7 * 19 + 4)).name());
    grid->dialogButton()->click();
    EXPECT_EQ(grid->GetColour(), colourRef(10, 20, 30));
    EXPECT_EQ(parent.received.size(), 2u);
}

#include "app/window/main_layout.h"

#include <gtest/gtest.h>

using namespace app;

namespace {
QRect r(int left, int top, int right, int bottom) {
    return edges(left, top, right, bottom);
}
} // namespace

TEST(MainLayout, EveryRectangleAtTwoWindowSizes) {
    for (const auto& [w, h] : {std::pair{1280, 800}, std::pair{1920, 1070}}) {
        const MainLayout l = computeMainLayout(w, h);
        EXPECT_EQ(l.workspace, r(198, 252, w - 205, h - 20));
        EXPECT_EQ(l.photoList, r(20, 102, 193, h - 20));
        EXPECT_EQ(l.toolPanels, r(198, 86, w - 20, 220));
        EXPECT_EQ(l.rowButtons[0], r(w - 595, 228, w - 520, 250));
        EXPECT_EQ(l.rowButtons[4], r(w - 595 + 312, 228, w - 595 + 387, 250));
        EXPECT_EQ(l.brushPanel, r(w - 200, 225, w - 20, h - 270));
        EXPECT_EQ(l.brushDialA, r(w - 115, h - 268, w - 73, h - 215));
        EXPECT_EQ(l.brushDialB, r(w - 67, h - 268, w - 25, h - 215));
        EXPECT_EQ(l.brushSlider, r(w - 160, h - 210, w - 50, h - 197));
        EXPECT_EQ(l.brushToggle, r(w - 195, h - 264, w - 121, h - 220));
        EXPECT_EQ(l.colourGrid, r(w - 115, h - 190, w - 20, h - 20));
        EXPECT_EQ(l.rotationDial, r(w - 205, h - 180, w - 120, h - 110));
        EXPECT_EQ(l.scaleDial, r(w - 205, h - 100, w - 120, h - 30));
        EXPECT_EQ(l.closeButton, r(w - 40, 7, w - 14, 24));
        EXPECT_EQ(l.maximiseButton, r(w - 66, 7, w - 40, 24));
        EXPECT_EQ(l.minimiseButton, r(w - 92, 7, w - 66, 24));
        EXPECT_EQ(l.importButton, r(18, 65, 106, 100));
        EXPECT_EQ(l.removeButton, r(106, 65, 194, 100));
        EXPECT_EQ(l.statusText, r(202, 232, w - 655, 250));
        EXPECT_EQ(l.zoomReadout, r(w - 655, 232, w - 605, 250));
    }
}

TEST(MainLayout, InANarrowWindowTheStatusLineStaysBetweenThePhotoListAndTheButtons) {
    for (int w = 800; w <= 900; ++w) {
        const MainLayout l = computeMainLayout(w, 600);
        for (const QRect& part : {l.statusText, l.zoomReadout}) {
            if (part.isEmpty())
                continue;
            EXPECT_GE(part.left(), l.workspace.left()) << "width " << w;
            EXPECT_LT(part.right(), l.rowButtons.front().left()) << "width " << w;
        }
    }
    EXPECT_TRUE(computeMainLayout(800, 600).zoomReadout.isEmpty());
    EXPECT_FALSE(computeMainLayout(860, 600).zoomReadout.isEmpty());
}

TEST(MainLayout, TabsShareTheRowAndTheLeftmostTakeTheRemainder) {
    for (int w : {800, 1280, 1281, 1286, 1920, 1923}) {
        const MainLayout l = computeMainLayout(w, 700);
        const int base = (w - 216) / 7;
        const int extra = (w - 216) % 7;
        EXPECT_EQ(l.tabs.front().left(), 197);
        EXPECT_EQ(l.tabs.back().left() + l.tabs.back().width(), 197 + (w - 216)) << "width " << w;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(l.tabs[static_cast<std::size_t>(i)].width(), base + (i < extra ? 1 : 0));
            EXPECT_EQ(l.tabs[static_cast<std::size_t>(i)].top(), 60);
            EXPECT_EQ(l.tabs[static_cast<std::size_t>(i)].height(), 25);
            if (i > 0) {
                const QRect& previous = l.tabs[static_cast<std::size_t>(i - 1)];
                EXPECT_EQ(l.tabs[static_cast<std::size_t>(i)].left(), previous.left() + previous.width());
            }
        }
    }
}

TEST(MainLayout, MenuBarButtonsWithHelpAtX250) {
    const MenuBarLayout bar = computeMenuBarLayout();
    EXPECT_EQ(bar.buttons[0], r(20, 30, 60, 50));
    EXPECT_EQ(bar.buttons[1], r(60, 30, 130, 50));
    EXPECT_EQ(bar.buttons[5].left(), 250);
}

TEST(MainLayout, BorderZonesAndTitleStrip) {
    const int w = 1000, h = 700;
    EXPECT_EQ(borderZoneAt(2, 300, w, h), BorderZone::Left);
    EXPECT_EQ(borderZoneAt(2, 2, w, h), BorderZone::TopLeft);
    EXPECT_EQ(borderZoneAt(500, 2, w, h), BorderZone::Top);
    EXPECT_EQ(borderZoneAt(998, 2, w, h), BorderZone::TopRight);
    EXPECT_EQ(borderZoneAt(998, 300, w, h), BorderZone::Right);
    EXPECT_EQ(borderZoneAt(998, 698, w, h), BorderZone::BottomRight);
    EXPECT_EQ(borderZoneAt(500, 698, w, h), BorderZone::Bottom);
    EXPECT_EQ(borderZoneAt(2, 698, w, h), BorderZone::BottomLeft);
    EXPECT_EQ(borderZoneAt(500, 300, w, h), BorderZone::None);
    EXPECT_EQ(borderZoneAt(6, 300, w, h), BorderZone::None);
    EXPECT_TRUE(inTitleStrip(13, 10, w));
    EXPECT_FALSE(inTitleStrip(12, 10, w));
    EXPECT_FALSE(inTitleStrip(500, 30, w));
}

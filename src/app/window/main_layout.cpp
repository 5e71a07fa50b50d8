#include "app/window/main_layout.h"

#include <algorithm>

namespace app {

namespace {

constexpr int kZoomReadoutLeast = 36; // "100 %" in the status font

} // namespace

MainLayout computeMainLayout(int w, int h) {
    MainLayout layout;
    layout.workspace = edges(198, 252, w - 205, h - 20);
    layout.photoList = edges(20, 102, 193, h - 20);
    layout.toolPanels = edges(198, 86, w - 20, 220);

    // The row of tabs always spans W - 216 pixels: the leftmost tabs take the remainder, one each.
    const int span = w - 216;
    const int base = span / MainLayout::kTabCount;
    const int extra = span % MainLayout::kTabCount;
    int x = 197;
    for (int i = 0; i < MainLayout::kTabCount; ++i) {
        const int tabWidth = base + (i < extra ? 1 : 0);
        layout.tabs[static_cast<std::size_t>(i)] = edges(x, 60, x + tabWidth, 85);
        x += tabWidth;
    }
    for (int i = 0; i < MainLayout::kRowButtonCount; ++i) {
        const int left = w - 595 + 78 * i;
        layout.rowButtons[static_cast<std::size_t>(i)] = edges(left, 228, left + 75, 250);
    }
    layout.brushPanel = edges(w - 200, 225, w - 20, h - 270);
    layout.brushDialA = edges(w - 115, h - 268, w - 73, h - 215);
    layout.brushDialB = layout.brushDialA.translated(48, 0);
    layout.brushSlider = edges(w - 160, h - 210, w - 50, h - 197);
    layout.brushToggle = edges(w - 195, h - 264, w - 121, h - 220);
    layout.colourGrid = edges(w - 115, h - 190, w - 20, h - 20);
    layout.rotationDial = edges(w - 205, h - 180, w - 120, h - 110);
    layout.scaleDial = layout.rotationDial.translated(0, 80);
    layout.closeButton = edges(w - 40, 7, w - 14, 24);
    layout.maximiseButton = layout.closeButton.translated(-26, 0);
    layout.minimiseButton = layout.maximiseButton.translated(-26, 0);
    layout.importButton = edges(18, 65, 106, 100);
    layout.removeButton = edges(106, 65, 194, 100);
    layout.brushBox = edges(w - 210, h - 190, w - 120, h - 20);
    layout.rotationReadout = edges(w - 160, h - 180, w - 120, h - 110);
    layout.scaleReadout = layout.rotationReadout.translated(0, 80);
    layout.brushSettingsBox = edges(w - 200, h - 270, w - 20, h - 195);
    layout.statusStrip = edges(200, 225, w - 205, 252);
    // A window too narrow for them beside the row of buttons leaves out the status text, then the zoom
    // readout, rather than drawing them over the photo list.
    if (w - 655 > 202)
        layout.statusText = edges(202, 232, w - 655, 250);
    const int zoomLeft = std::max(202, w - 655);
    if (w - 605 - zoomLeft >= kZoomReadoutLeast)
        layout.zoomReadout = edges(zoomLeft, 232, w - 605, 250);
    layout.sizeLabel = edges(w - 194, h - 209, w - 150, h - 195);
    layout.sliderReadout = edges(w - 45, h - 209, w - 20, h - 195);
    return layout;
}

MenuBarLayout computeMenuBarLayout() {
    static constexpr int kWidths[6] = {40, 70, 40, 40, 40, 40};
    MenuBarLayout layout;
    int x = 20;
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        layout.buttons[i] = edges(x, 30, x + kWidths[i], 50);
        x += kWidths[i];
    }
    return layout;
}

BorderZone borderZoneAt(int x, int y, int clientWidth, int clientHeight) {
    const bool inside = x >= 0 && y >= 0 && x < clientWidth && y < clientHeight;
    const bool inInset = x >= 5 && y >= 5 && x < clientWidth - 5 && y < clientHeight - 5;
    if (!inside || inInset)
        return BorderZone::None;
    const int w = clientWidth - 10;
    const int h = clientHeight - 10;
    if (x < 5 && 8 < y && y < h - 8)
        return BorderZone::Left;
    if (x < 8 && y < 8)
        return BorderZone::TopLeft;
    if (x < 8 && y > h - 8)
        return BorderZone::BottomLeft;
    if (8 < x && x < w - 8 && y < 5)
        return BorderZone::Top;
    if (8 < x && x < w - 8 && y > h - 8)
        return BorderZone::Bottom;
    if (x > w - 8 && y < 8)
        return BorderZone::TopRight;
    if (x > w - 8 && y > h - 8)
        return BorderZone::BottomRight;
    if (x > w - 5 && 8 < y && y < h - 8)
        return BorderZone::Right;
    return BorderZone::None;
}

bool inTitleStrip(int x, int y, int clientWidth) {
    return x >= 13 && x < clientWidth - 13 && y >= 0 && y < 30;
}

} // namespace app

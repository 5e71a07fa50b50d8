#pragma once
// Where every child of the main window lies for a window of W × H. All rectangles are by their edges
// (right and bottom just outside), in client coordinates.

#include <QRect>
#include <array>

namespace app {

// A rectangle given by its left, top, right and bottom edges.
inline QRect edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

struct MainLayout {
    static constexpr int kTabCount = 7;
    static constexpr int kRowButtonCount = 5;

    QRect workspace;
    QRect photoList;
    QRect toolPanels;
    // Frame, Mask, Clipart, Decoration, Crop, Tuning, Text.
    std::array<QRect, kTabCount> tabs;
    // Undo, Redo, Background, Preview, Export.
    std::array<QRect, kRowButtonCount> rowButtons;
    QRect brushPanel;
    QRect brushDialA;
    QRect brushDialB;
    QRect brushSlider;
    QRect brushToggle;
    QRect colourGrid;
    QRect rotationDial;
    QRect scaleDial;
    // Close, maximise, minimise.
    QRect closeButton;
    QRect maximiseButton;
    QRect minimiseButton;
    QRect importButton;
    QRect removeButton;
    // Readouts and painted boxes of the skin.
    QRect brushBox;
    QRect rotationReadout;
    QRect scaleReadout;
    QRect brushSettingsBox;
    QRect statusStrip;
    QRect statusText;
    QRect zoomReadout; // at the status text's right end: "100 %"
    QRect sizeLabel;
    QRect sliderReadout;
};

MainLayout computeMainLayout(int width, int height);

// Menu-bar buttons at y 30-50 from x 20: File, Panel, Mode, Edit, Tool, Help.
struct MenuBarLayout {
    std::array<QRect, 6> buttons;
};
MenuBarLayout computeMenuBarLayout();

// The border zones of the frameless window, as edges of the window to size.
enum class BorderZone { None, Left, TopLeft, BottomLeft, Top, Bottom, TopRight, BottomRight, Right };
// The zone under a client point, or None inside the client area inset by 5 px.
BorderZone borderZoneAt(int x, int y, int clientWidth, int clientHeight);
// True in the title strip that drags the window.
bool inTitleStrip(int x, int y, int clientWidth);

inline constexpr int kMinimumWidth = 800;
inline constexpr int kMinimumHeight = 600;

} // namespace app

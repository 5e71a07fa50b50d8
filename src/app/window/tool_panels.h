#pragma once
// The seven tool panels: their tool mode, tab command, Panel-menu command and tab caption slot, in the
// order of the tab row.

#include "app/command_ids.h"

#include <array>

namespace app {

struct ToolPanelEntry {
    int toolMode;
    int tabCommand;
    int panelMenuCommand;
    int captionSlot;
};

inline constexpr std::array<ToolPanelEntry, 7> kToolPanels{{
    {3, ID_TAB_FRAME, ID_PANEL_FIRST + 0, 8},
    {2, ID_TAB_MASK, ID_PANEL_FIRST + 1, 22},
    {0, ID_TAB_CLIPART, ID_PANEL_FIRST + 2, 10},
    {9, ID_TAB_DECORATION, ID_PANEL_FIRST + 3, 11},
    {5, ID_TAB_CROP, ID_PANEL_FIRST + 5, 12},
    {6, ID_TAB_TUNING, ID_PANEL_FIRST + 4, 13},
    {4, ID_TAB_TEXT, ID_PANEL_FIRST + 6, 14},
}};

// The index of the entry with this tool mode, or -1 when the mode names no panel.
constexpr int toolPanelIndex(int toolMode) {
    for (std::size_t i = 0; i < kToolPanels.size(); ++i)
        if (kToolPanels[i].toolMode == toolMode)
            return static_cast<int>(i);
    return -1;
}

} // namespace app

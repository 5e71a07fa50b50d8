#pragma once
// The items of the drop-down menus, built afresh at every opening.

#include "controls/dez_menu.h"

#include <vector>

namespace app {

std::vector<controls::MenuItemRecord> fileMenuItems();
std::vector<controls::MenuItemRecord> editMenuItems();
std::vector<controls::MenuItemRecord> modeMenuItems(bool collageMode);
// The item of the visible panel (by tool mode) is checked.
std::vector<controls::MenuItemRecord> panelMenuItems(int visibleToolMode);
std::vector<controls::MenuItemRecord> toolMenuItems();
std::vector<controls::MenuItemRecord> helpMenuItems();
std::vector<controls::MenuItemRecord> exportMenuItems();
std::vector<controls::MenuItemRecord> backgroundMenuItems();

} // namespace app

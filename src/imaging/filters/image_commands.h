#pragma once
// The effect filters offered to the user, by operation code, with the arguments they hand the picture.

#include "imaging/picture.h"

#include <QStringView>

namespace imaging {

enum ImageCommandCode : int {
    kCommandEmboss = 32812,
    kCommandBlur = 32813,
    kCommandSoften = 32814,
    kCommandSharpen = 32815,
    kCommandLinearEdge = 32816,
    kCommandErode = 32817,
    kCommandDilate = 32818,
    kCommandMedian = 32864,
    kCommandNoise = 32865,
    kCommandGaussian3 = 32896,
    kCommandGaussian5 = 32897,
    kCommandContour = 32898,
    kCommandJitter = 32901,
    kCommandEdge = 32914,
};

// The Tool menu's two filter submenus, "Add Linear Filter" and "Add Non Linear Filter".
enum class FilterMenu { Linear, NonLinear };

// True for the codes above.
bool isImageCommand(int operationCode);
// The operation of the filter entry with this text in that submenu (both hold an "Edge"); 0 for none.
int filterMenuOperation(FilterMenu menu, QStringView text);
// The submenu and entry text of a filter's operation code; null text for a code of neither submenu.
struct FilterMenuName {
    FilterMenu menu = FilterMenu::Linear;
    const char* text = nullptr;
};
FilterMenuName filterMenuNameOf(int operationCode);
// Runs the picture operation of the code; the picture's own result (false for an unknown code).
bool RunImageCommand(Picture& picture, int operationCode);

} // namespace imaging

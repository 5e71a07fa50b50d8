#pragma once
// The crop panel's aspect constraints, in panel order: a label, the radio button's id, and the pair
// width part : height part (0 : 0 lifts the constraint). The parts are held as floats, as the workspace
// takes them, and handed on as whole numbers.

#include <array>

namespace imaging {

struct CropConstraint {
    const char* label;
    int controlId;
    float widthPart;
    float heightPart;
};

inline constexpr int kFirstCropConstraintId = 10580;

inline constexpr std::array<CropConstraint, 8> kCropConstraints{{
    {"No Constraint", 10580, 0, 0},
    {"4 : 3", 10581, 4, 3},
    {"4 : 6", 10582, 4, 6},
    {"5 : 7", 10583, 5, 7},
    {"6 : 8", 10584, 6, 8},
    {"7 : 10", 10585, 7, 10},
    {"10 : 8", 10586, 10, 8},
    {"12 : 10", 10587, 12, 10},
}};

inline constexpr int kCropConstraintCount = static_cast<int>(kCropConstraints.size());

} // namespace imaging

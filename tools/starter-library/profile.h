#pragma once
// A moulding's cross-section: heights at fractions of its width, joined by eased curves.

#include <initializer_list>
#include <vector>

namespace starter {

enum class Ease { Smooth, Convex, Concave, Linear };

struct ProfileKnot {
    double t = 0;             // 0 at the outer edge, 1 at the opening
    double height = 0;        // in pixels
    Ease ease = Ease::Smooth; // how the curve reaches this knot from the previous one
};

class Profile {
public:
    Profile(std::initializer_list<ProfileKnot> knots) : knots_(knots) {}
    double at(double t) const;

private:
    std::vector<ProfileKnot> knots_;
};

} // namespace starter

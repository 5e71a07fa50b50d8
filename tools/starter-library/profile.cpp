#include "profile.h"

#include <cmath>
#include <numbers>

namespace starter {

double Profile::at(double t) const {
    if (knots_.empty())
        return 0;
    if (t <= knots_.front().t)
        return knots_.front().height;
    for (std::size_t i = 1; i < knots_.size(); ++i) {
        const ProfileKnot& from = knots_[i - 1];
        const ProfileKnot& to = knots_[i];
        if (t > to.t)
            continue;
        const double s = to.t > from.t ? (t - from.t) / (to.t - from.t) : 1;
        double eased = s;
        switch (to.ease) {
        case Ease::Smooth:
            eased = s * s * (3 - 2 * s);
            break;
        case Ease::Convex:
            eased = std::sin(s * std::numbers::pi / 2);
            break;
        case Ease::Concave:
            eased = 1 - std::cos(s * std::numbers::pi / 2);
            break;
        case Ease::Linear:
            break;
        }
        return from.height + (to.height - from.height) * eased;
    }
    return knots_.back().height;
}

} // namespace starter

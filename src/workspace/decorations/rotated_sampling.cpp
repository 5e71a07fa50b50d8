#include "workspace/decorations/rotated_sampling.h"

#include "imaging/filters/filter_rows.h"

namespace workspace {

namespace {

constexpr double kPi = 3.1415926;

} // namespace

double wholeDegreeRadians(float degrees) {
    if (!std::isfinite(degrees))
        return 0;
    double whole = std::fmod(std::trunc(static_cast<double>(degrees)), 360.0);
    if (whole < 0)
        whole += 360;
    return whole * kPi / 180;
}

std::vector<int> nearestSourcePixels(int scaledSide, int sourceSide, float scale) {
    std::vector<int> source(static_cast<std::size_t>(std::max(0, scaledSide)), -1);
    if (!(scale > 0))
        return source;
    for (int i = 0; i < scaledSide; ++i) {
        const int s = roundHalfUp(static_cast<float>(i) / scale);
        if (s >= 0 && s < sourceSide)
            source[static_cast<std::size_t>(i)] = s;
    }
    return source;
}

std::vector<BlendedSource> blendedSourcePixels(int scaledSide, int sourceSide, float scale) {
    const std::vector<int> nearest = nearestSourcePixels(scaledSide, sourceSide, scale);
    std::vector<BlendedSource> source(nearest.size());
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        if (nearest[i] < 0)
            continue;
        const float at = std::min(static_cast<float>(i) / scale, static_cast<float>(sourceSide - 1));
        BlendedSource& blend = source[i];
        blend.first = static_cast<int>(at);
        blend.second = std::min(blend.first + 1, sourceSide - 1);
        blend.share = at - static_cast<float>(blend.first);
    }
    return source;
}

TurnedBox turnedBox(int width, int height, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const double corners[4][2] = {
        {0, 0}, {double(width), 0}, {0, double(height)}, {double(width), double(height)}};
    for (const auto& corner : corners) {
        const double x = corner[0] * c - corner[1] * s;
        const double y = corner[0] * s + corner[1] * c;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    return {roundHalfUp(maxX - minX), roundHalfUp(maxY - minY)};
}

TurnedPlacement::TurnedPlacement(int width, int height, double radians, int centreX, int centreY,
                                 int canvasWidth, int canvasHeight)
    : width_(width), height_(height) {
    if (width <= 0 || height <= 0)
        return;
    const TurnedBox box = turnedBox(width, height, radians);
    left_ = std::int64_t{centreX} - box.width / 2;
    top_ = std::int64_t{centreY} - box.height / 2;
    x0_ = static_cast<int>(std::max<std::int64_t>(0, left_));
    y0_ = static_cast<int>(std::max<std::int64_t>(0, top_));
    x1_ = static_cast<int>(std::min<std::int64_t>(canvasWidth - 1, left_ + box.width));
    y1_ = static_cast<int>(std::min<std::int64_t>(canvasHeight - 1, top_ + box.height));
    if (x0_ > x1_ || y0_ > y1_) {
        x1_ = x0_ - 1;
        y1_ = y0_ - 1;
        return;
    }
    c_ = std::cos(radians);
    s_ = std::sin(radians);
    // Upright, the box is the picture and each canvas pixel's centre lies half a pixel into picture pixel
    // (x − left, y − top): the sums below come out as exactly that, so they need not be made.
    upright_ = c_ == 1 && s_ == 0;
    if (upright_)
        return;
    const double boxCentreX = static_cast<double>(left_) + box.width / 2.0;
    boxCentreY_ = static_cast<double>(top_) + box.height / 2.0;
    columnCos_.resize(static_cast<std::size_t>(x1_ - x0_ + 1));
    columnSin_.resize(columnCos_.size());
    for (int x = x0_; x <= x1_; ++x) {
        const double dx = x + 0.5 - boxCentreX;
        columnCos_[static_cast<std::size_t>(x - x0_)] = dx * c_;
        columnSin_[static_cast<std::size_t>(x - x0_)] = -dx * s_;
    }
}

TurnedPlacement::Run TurnedPlacement::uprightRun(int y) const {
    Run run;
    if (y < y0_ || y > y1_ || y - top_ >= height_)
        return run;
    run.first = x0_;
    run.end = static_cast<int>(std::min<std::int64_t>(x1_ + std::int64_t{1}, left_ + width_));
    run.pictureX = static_cast<int>(x0_ - left_);
    run.pictureY = static_cast<int>(y - top_);
    return run;
}

TurnedPlacement::Columns TurnedPlacement::coveredColumns(int y) const {
    if (y < y0_ || y > y1_)
        return {};
    if (upright_) {
        const Run run = uprightRun(y);
        return {run.first, std::max(run.first, run.end)};
    }
    const double dy = rowOffset(y);
    const double rowSin = dy * s_;
    const double rowCos = dy * c_;
    auto column = [this](int x) { return static_cast<std::size_t>(x - x0_); };
    // Each bound holds on a run that starts or ends the row; the covered pixels are where all four hold.
    Columns run{x0_, x1_ + 1};
    const auto keepWhere = [&](auto holds) {
        const bool atFirst = holds(x0_);
        const bool atLast = holds(x1_);
        if (atFirst && atLast)
            return;
        if (!atFirst && !atLast) {
            run = {};
            return;
        }
        // Halve the range between a pixel where it holds and one where it does not.
        int inside = atFirst ? x0_ : x1_;
        int outside = atFirst ? x1_ : x0_;
        while (std::abs(inside - outside) > 1) {
            const int middle = inside + (outside - inside) / 2;
            (holds(middle) ? inside : outside) = middle;
        }
        if (atFirst)
            run.end = std::min(run.end, inside + 1);
        else
            run.first = std::max(run.first, inside);
    };
    keepWhere([&](int x) { return pictureX(column(x), rowSin) >= 0; });
    keepWhere([&](int x) { return pictureX(column(x), rowSin) < width_; });
    keepWhere([&](int x) { return pictureY(column(x), rowCos) >= 0; });
    keepWhere([&](int x) { return pictureY(column(x), rowCos) < height_; });
    return run.end > run.first ? run : Columns{};
}

PV_VECTOR_CLONES void TurnedPlacement::picturePixels(int y, Columns run, int* __restrict xs,
                                                     int* __restrict ys) const {
    const int count = run.end - run.first;
    if (upright_) {
        const Run upright = uprightRun(y);
        for (int i = 0; i < count; ++i) {
            xs[i] = upright.pictureX + (run.first - upright.first) + i;
            ys[i] = upright.pictureY;
        }
        return;
    }
    const double dy = rowOffset(y);
    const double rowSin = dy * s_;
    const double rowCos = dy * c_;
    const std::size_t first = static_cast<std::size_t>(run.first - x0_);
    // Inside, truncation is the floor: the pixel under the centre.
    for (int i = 0; i < count; ++i) {
        xs[i] = static_cast<int>(pictureX(first + static_cast<std::size_t>(i), rowSin));
        ys[i] = static_cast<int>(pictureY(first + static_cast<std::size_t>(i), rowCos));
    }
}

} // namespace workspace

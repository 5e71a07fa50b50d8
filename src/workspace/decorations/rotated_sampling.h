#pragma once
// Laying a picture of w × h pixels, turned about its centre by whole degrees, on a canvas: the pixel
// arithmetic that masks and brush stamps share. Each canvas pixel inside the turned picture's box takes
// the picture pixel under its centre (nearest neighbour); smooth enlargement mixes the four around it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace workspace {

// The turn in radians of an angle truncated to whole degrees and wrapped into 0-359, with the constant
// the drawing rules name.
double wholeDegreeRadians(float degrees);

// round(x) as the drawing rules define it: truncate(x + 0.5).
inline int roundHalfUp(double x) {
    return static_cast<int>(x + 0.5);
}

// Nearest-neighbour scaling: for each of the `scaledSide` pixels, the source pixel round(i / scale), or -1
// where that falls outside the `sourceSide` source pixels. The division is in single precision.
std::vector<int> nearestSourcePixels(int scaledSide, int sourceSide, float scale);

// Smooth (bilinear) enlargement along one side: scaled pixel i lies at i / scale source pixels, between
// `first` and `second` (the same at the far edge), `share` of the way to the second. It covers the same
// pixels as nearestSourcePixels: `first` is -1 where that gives -1.
struct BlendedSource {
    int first = -1;
    int second = -1;
    float share = 0;
};
std::vector<BlendedSource> blendedSourcePixels(int scaledSide, int sourceSide, float scale);

// The bilinear mix of the four source values around a point, `across` and `down` of the way from the
// top-left one.
inline float blended(float topLeft, float topRight, float bottomLeft, float bottomRight, float across,
                     float down) {
    const float top = topLeft + (topRight - topLeft) * across;
    const float bottom = bottomLeft + (bottomRight - bottomLeft) * across;
    return top + (bottom - top) * down;
}

// The box of a w × h picture turned by `radians`: each side of the turned corners' extent, rounded.
struct TurnedBox {
    int width = 0;
    int height = 0;
};
TurnedBox turnedBox(int width, int height, double radians);

// Where a w × h picture turned clockwise on screen by `radians` and centred at (centreX, centreY) lies on a
// canvas of canvasWidth × canvasHeight: the canvas pixels of its box, edges included, whose centre falls on a
// picture pixel. The box is centred by integer division; picture pixels are found by turning each canvas
// pixel's centre back about the box's centre. Made once, its rows may then be walked from several threads.
class TurnedPlacement {
public:
    TurnedPlacement(int width, int height, double radians, int centreX, int centreY, int canvasWidth,
                    int canvasHeight);

    // The canvas rows the box touches, first to last; none when last < first.
    int firstRow() const { return y0_; }
    int lastRow() const { return y1_; }

    // The covered pixels of canvas row y: canvas pixels first … end − 1. Along a row the picture coordinates
    // only grow or only shrink, so they are one run, found without testing each pixel.
    struct Columns {
        int first = 0;
        int end = 0; // none covered when end <= first
    };
    Columns coveredColumns(int y) const;

    // The picture pixels the covered pixels `run` of canvas row y show, into xs and ys from index 0.
    void picturePixels(int y, Columns run, int* __restrict xs, int* __restrict ys) const;

    // Calls visit(canvasX, pictureX, pictureY) for the covered pixels of canvas row y, left to right.
    template <typename Visit> void forEachInRow(int y, Visit&& visit) const;

    // Not turned at all, the covered pixels of a row are one run showing consecutive pixels of one picture
    // row: canvas pixels first … end − 1 show picture pixels pictureX … of row pictureY.
    bool upright() const { return upright_; }
    struct Run {
        int first = 0;
        int end = 0; // none covered when end <= first
        int pictureX = 0;
        int pictureY = 0;
    };
    Run uprightRun(int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    int x0_ = 0;
    int x1_ = -1;
    int y0_ = 0;
    int y1_ = -1;
    std::int64_t left_ = 0;
    std::int64_t top_ = 0;
    bool upright_ = false;
    double boxCentreY_ = 0;
    double c_ = 1;
    double s_ = 0;
    // The picture coordinates of column i of the box in a row whose own products are given.
    double pictureX(std::size_t i, double rowSin) const { return columnCos_[i] + rowSin + width_ / 2.0; }
    double pictureY(std::size_t i, double rowCos) const { return columnSin_[i] + rowCos + height_ / 2.0; }
    double rowOffset(int y) const { return y + 0.5 - boxCentreY_; }

    // Each column's products, made once: every pixel then adds them up in the order of
    // dx × c + dy × s + w / 2 and -dx × s + dy × c + h / 2, so the result is the same as computing it whole.
    std::vector<double> columnCos_;
    std::vector<double> columnSin_;
};

template <typename Visit> void TurnedPlacement::forEachInRow(int y, Visit&& visit) const {
    const Columns run = coveredColumns(y);
    if (upright_) {
        const Run upright = uprightRun(y);
        for (int x = run.first; x < run.end; ++x)
            visit(x, upright.pictureX + (x - upright.first), upright.pictureY);
        return;
    }
    const double dy = rowOffset(y);
    const double rowSin = dy * s_;
    const double rowCos = dy * c_;
    for (int x = run.first; x < run.end; ++x) {
        const auto i = static_cast<std::size_t>(x - x0_);
        visit(x, static_cast<int>(pictureX(i, rowSin)), static_cast<int>(pictureY(i, rowCos)));
    }
}

// Calls visit(canvasX, canvasY, pictureX, pictureY) for every canvas pixel the placed picture covers (see
// TurnedPlacement), row by row.
template <typename Visit>
void forEachTurnedPixel(int width, int height, double radians, int centreX, int centreY, int canvasWidth,
                        int canvasHeight, Visit&& visit) {
    const TurnedPlacement placed(width, height, radians, centreX, centreY, canvasWidth, canvasHeight);
    for (int y = placed.firstRow(); y <= placed.lastRow(); ++y)
        placed.forEachInRow(y, [&](int x, int sx, int sy) { visit(x, y, sx, sy); });
}

} // namespace workspace

#include "workspace/decorations/decoration_pixels.h"

#include "imaging/filters/filter_rows.h"
#include "workspace/decorations/rotated_sampling.h"

#include <algorithm>
#include <cmath>

namespace workspace {

namespace {

constexpr double kPi = 3.1415926;
// 1 / 255 as the stamping rule writes it, in single precision.
constexpr float kByteToUnit = 0.003921569f;
// Neither side of a scaled mask or tip may exceed this: a hostile scale never allocates without bound.
constexpr std::int64_t kMaxScaledSide = 1 << 16;

int scaledSide(int side, float scale) {
    const double scaled = static_cast<double>(side) * static_cast<double>(scale);
    if (!(scaled > 0))
        return 0;
    return static_cast<int>(std::min<double>(kMaxScaledSide, roundHalfUp(std::min<double>(scaled, 1e9))));
}

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

void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const imaging::RasterImage& mask, const MaskPlacement& placement,
                     imaging::PhotoBuffer& out) {
    out = background;
    const int cw = photo.width;
    const int ch = photo.height;
    if (photo.empty() || background.width != cw || background.height != ch || mask.empty() ||
        mask.bgra.size() < mask.stride() * static_cast<std::size_t>(mask.height))
        return;
    const int sw = scaledSide(mask.width, placement.scale);
    const int sh = scaledSide(mask.height, placement.scale);
    if (sw <= 0 || sh <= 0)
        return; // a mask smaller than a pixel covers nothing: the background everywhere
    const std::vector<int> columns = nearestSourcePixels(sw, mask.width, placement.scale);
    const std::vector<int> rows = nearestSourcePixels(sh, mask.height, placement.scale);
    // a by blue value, made once: above 0.9 it is 1 and the background is copied, at 0 the photo is.
    float shares[256];
    for (int blue = 0; blue < 256; ++blue) {
        const float a = static_cast<float>(blue) / 255.0f;
        shares[blue] = a > kMaskWhiteAbove ? 1.0f : a;
    }

    auto blend = [&](int x, int y, int sx, int sy) {
        // Scaled pixels past the mask's own keep the white they start with.
        const int mx = columns[static_cast<std::size_t>(sx)];
        const int my = rows[static_cast<std::size_t>(sy)];
        const float a = mx >= 0 && my >= 0 ? shares[mask.row(my)[mx * 4]] : 1.0f;
        if (a == 1.0f)
            return; // out already holds the background
        const std::size_t at = static_cast<std::size_t>(x) * 3;
        const std::uint8_t* b = background.row(y) + at;
        const std::uint8_t* p = photo.row(y) + at;
        std::uint8_t* o = out.row(y) + at;
        for (int i = 0; i < 3; ++i)
            o[i] = static_cast<std::uint8_t>(a * b[i] + (1.0f - a) * p[i]);
    };
    // Each canvas pixel depends on nothing but its own place: bands of rows go to several threads.
    const double radians = wholeDegreeRadians(placement.angle);
    imaging::detail::inBands(
        ch, static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch), [&](int firstRow, int endRow) {
            forEachTurnedPixel(sw, sh, radians, cw / 2 + placement.offsetX, ch / 2 + placement.offsetY, cw,
                               ch, blend, firstRow, endRow);
            return true;
        });
}

QRect LayBrushStamp(imaging::PhotoBuffer& target, const QImage& tip, const BrushStamp& stamp,
                    std::uint32_t colour) {
    if (target.empty() || tip.isNull() || tip.format() != QImage::Format_ARGB32 || stamp.opacity <= 0)
        return {};
    const int tw = scaledSide(tip.width(), stamp.scale);
    const int th = scaledSide(tip.height(), stamp.scale);
    if (tw <= 0 || th <= 0)
        return {};
    const std::vector<int> columns = nearestSourcePixels(tw, tip.width(), stamp.scale);
    const std::vector<int> rows = nearestSourcePixels(th, tip.height(), stamp.scale);
    const float opacity = static_cast<float>(std::min(stamp.opacity, 255)) * kByteToUnit;
    const float tint[3] = {static_cast<float>((colour >> 16) & 0xFF),
                           static_cast<float>((colour >> 8) & 0xFF), static_cast<float>(colour & 0xFF)};
    QRect changed;
    int left = target.width, top = target.height, right = -1, bottom = -1;
    forEachTurnedPixel(tw, th, wholeDegreeRadians(stamp.angle), target.width / 2 + stamp.x,
                       target.height / 2 + stamp.y, target.width, target.height,
                       [&](int x, int y, int sx, int sy) {
                           const int tx = columns[static_cast<std::size_t>(sx)];
                           const int ty = rows[static_cast<std::size_t>(sy)];
                           if (tx < 0 || ty < 0)
                               return; // the scaled tip starts transparent
                           const int alpha = qAlpha(reinterpret_cast<const QRgb*>(tip.constScanLine(ty))[tx]);
                           if (alpha == 0)
                               return;
                           const float w = static_cast<float>(alpha) * kByteToUnit * opacity;
                           std::uint8_t* pixel = target.row(y) + static_cast<std::size_t>(x) * 3;
                           for (int i = 0; i < 3; ++i)
                               pixel[i] = static_cast<std::uint8_t>(w * tint[i] + (1.0f - w) * pixel[i]);
                           left = std::min(left, x);
                           right = std::max(right, x);
                           top = std::min(top, y);
                           bottom = std::max(bottom, y);
                       });
    if (right >= left && bottom >= top)
        changed = QRect(QPoint(left, top), QPoint(right, bottom));
    return changed;
}

} // namespace workspace

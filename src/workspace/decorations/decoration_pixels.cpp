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

namespace {

// out = a × background + (1 − a) × photo, truncated, for pixels first … end − 1 of a row, one a a pixel.
// Where a is 1 this gives the background's byte and where it is 0 the photo's, exactly.
PV_VECTOR_CLONES void mixPixels(const std::uint8_t* background, const std::uint8_t* photo,
                                const float* shares, QRgb* __restrict out, int first, int end) {
    for (int x = first; x < end; ++x) {
        const float a = shares[x];
        const float rest = 1.0f - a;
        const std::uint8_t* b = background + static_cast<std::size_t>(x) * 3;
        const std::uint8_t* p = photo + static_cast<std::size_t>(x) * 3;
        const auto blue = static_cast<std::uint8_t>(a * b[0] + rest * p[0]);
        const auto green = static_cast<std::uint8_t>(a * b[1] + rest * p[1]);
        const auto red = static_cast<std::uint8_t>(a * b[2] + rest * p[2]);
        out[x] = 0xFF000000u | (QRgb{red} << 16) | (QRgb{green} << 8) | blue;
    }
}

} // namespace

void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const imaging::RasterImage& mask, const MaskPlacement& placement, QImage& out,
                     bool smoothEnlarging) {
    // Plain white needs no canvas-sized buffer: every row reads the same white row.
    const bool white = background.empty();
    const QSize size = white ? QSize(photo.width, photo.height) : QSize(background.width, background.height);
    if (out.size() != size || out.format() != QImage::Format_RGB32)
        out = QImage(size, QImage::Format_RGB32);
    if (out.isNull())
        return;
    // The rows are written through one pointer: the picture is detached before the bands share it.
    std::uint8_t* const bits = out.bits();
    const auto perLine = static_cast<std::size_t>(out.bytesPerLine());
    auto outRow = [&](int y) {
        return reinterpret_cast<QRgb*>(bits + perLine * static_cast<std::size_t>(y));
    };
    auto opaque = [](const std::uint8_t* bgr) {
        return 0xFF000000u | (QRgb{bgr[2]} << 16) | (QRgb{bgr[1]} << 8) | bgr[0];
    };

    const int cw = photo.width;
    const int ch = photo.height;
    const bool applies = !photo.empty() && size == QSize(cw, ch) && !mask.empty() &&
                         mask.bgra.size() >= mask.stride() * static_cast<std::size_t>(mask.height);
    // A mask smaller than a pixel covers nothing: the background everywhere.
    const int sw = applies ? scaledSide(mask.width, placement.scale) : 0;
    const int sh = applies ? scaledSide(mask.height, placement.scale) : 0;
    const std::vector<int> columns = nearestSourcePixels(sw, mask.width, placement.scale);
    const std::vector<int> rows = nearestSourcePixels(sh, mask.height, placement.scale);
    const bool smooth = smoothEnlarging && placement.scale > 1;
    const std::vector<BlendedSource> blendedColumns =
        smooth ? blendedSourcePixels(sw, mask.width, placement.scale) : std::vector<BlendedSource>();
    const std::vector<BlendedSource> blendedRows =
        smooth ? blendedSourcePixels(sh, mask.height, placement.scale) : std::vector<BlendedSource>();
    // a by blue value, made once: above 0.9 it is 1 and the background is copied, at 0 the photo is.
    float shares[256];
    for (int blue = 0; blue < 256; ++blue) {
        const float a = static_cast<float>(blue) / 255.0f;
        shares[blue] = a > kMaskWhiteAbove ? 1.0f : a;
    }

    // Each canvas pixel depends on nothing but its own place: bands of rows go to several threads. A
    // band gathers the a of each pixel of a row, then writes the row once: the background, and the run
    // the mask covers mixed.
    const double radians = wholeDegreeRadians(placement.angle);
    imaging::detail::inBands(
        size.height(), static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height()),
        [&](int firstRow, int endRow) {
            auto copyBackground = [&](int y, int first, int end) {
                QRgb* to = outRow(y);
                if (white) {
                    std::fill(to + first, to + end, 0xFFFFFFFFu);
                    return;
                }
                const std::uint8_t* from = background.row(y) + static_cast<std::size_t>(first) * 3;
                for (int x = first; x < end; ++x, from += 3)
                    to[x] = opaque(from);
            };
            const std::vector<std::uint8_t> whiteRow(white ? static_cast<std::size_t>(cw) * 3 : 0, 0xFF);
            std::vector<float> pixelShares(static_cast<std::size_t>(std::max(cw, 0)), 1.0f);
            int written = firstRow; // the rows before it are written
            int row = -1;
            int left = cw;
            int right = -1;
            auto writeRow = [&] {
                if (row < 0)
                    return;
                for (int y = written; y < row; ++y)
                    copyBackground(y, 0, size.width());
                copyBackground(row, 0, left);
                mixPixels(white ? whiteRow.data() : background.row(row), photo.row(row), pixelShares.data(),
                          outRow(row), left, right + 1);
                copyBackground(row, right + 1, size.width());
                std::fill(pixelShares.begin() + left, pixelShares.begin() + right + 1, 1.0f);
                written = row + 1;
                row = -1;
                left = cw;
                right = -1;
            };
            // The pixels of a row come left to right, and neighbours mostly share their mask row.
            int maskRowIndex = -1;
            const std::uint8_t* maskRow = nullptr;
            auto gather = [&](int x, int y, int sx, int sy) {
                if (y != row) {
                    writeRow();
                    row = y;
                    left = x;
                }
                right = x;
                if (smooth) {
                    const BlendedSource& r = blendedRows[static_cast<std::size_t>(sy)];
                    const BlendedSource& c = blendedColumns[static_cast<std::size_t>(sx)];
                    float a = 1.0f;
                    if (r.first >= 0 && c.first >= 0) {
                        const std::uint8_t* upper = mask.row(r.first);
                        const std::uint8_t* lower = mask.row(r.second);
                        a = blended(upper[c.first * 4], upper[c.second * 4], lower[c.first * 4],
                                    lower[c.second * 4], c.share, r.share) /
                            255.0f;
                    }
                    pixelShares[static_cast<std::size_t>(x)] = a > kMaskWhiteAbove ? 1.0f : a;
                    return;
                }
                if (sy != maskRowIndex) {
                    maskRowIndex = sy;
                    const int my = rows[static_cast<std::size_t>(sy)];
                    maskRow = my >= 0 ? mask.row(my) : nullptr;
                }
                // Scaled pixels past the mask's own keep the white they start with.
                const int mx = columns[static_cast<std::size_t>(sx)];
                pixelShares[static_cast<std::size_t>(x)] =
                    mx >= 0 && maskRow ? shares[maskRow[mx * 4]] : 1.0f;
            };
            if (sw > 0 && sh > 0)
                forEachTurnedPixel(sw, sh, radians, cw / 2 + placement.offsetX, ch / 2 + placement.offsetY,
                                   cw, ch, gather, firstRow, endRow);
            writeRow();
            for (int y = written; y < endRow; ++y)
                copyBackground(y, 0, size.width());
            return true;
        });
}

QRect LayBrushStamp(imaging::PhotoBuffer& target, const QImage& tip, const BrushStamp& stamp,
                    std::uint32_t colour, bool smoothEnlarging) {
    if (target.empty() || tip.isNull() || tip.format() != QImage::Format_ARGB32 || stamp.opacity <= 0)
        return {};
    const int tw = scaledSide(tip.width(), stamp.scale);
    const int th = scaledSide(tip.height(), stamp.scale);
    if (tw <= 0 || th <= 0)
        return {};
    const std::vector<int> columns = nearestSourcePixels(tw, tip.width(), stamp.scale);
    const std::vector<int> rows = nearestSourcePixels(th, tip.height(), stamp.scale);
    const bool smooth = smoothEnlarging && stamp.scale > 1;
    const std::vector<BlendedSource> blendedColumns =
        smooth ? blendedSourcePixels(tw, tip.width(), stamp.scale) : std::vector<BlendedSource>();
    const std::vector<BlendedSource> blendedRows =
        smooth ? blendedSourcePixels(th, tip.height(), stamp.scale) : std::vector<BlendedSource>();
    auto alphaAt = [&tip](int x, int y) {
        return qAlpha(reinterpret_cast<const QRgb*>(tip.constScanLine(y))[x]);
    };
    const float opacity = static_cast<float>(std::min(stamp.opacity, 255)) * kByteToUnit;
    const float tint[3] = {static_cast<float>((colour >> 16) & 0xFF),
                           static_cast<float>((colour >> 8) & 0xFF), static_cast<float>(colour & 0xFF)};
    QRect changed;
    int left = target.width, top = target.height, right = -1, bottom = -1;
    forEachTurnedPixel(tw, th, wholeDegreeRadians(stamp.angle), target.width / 2 + stamp.x,
                       target.height / 2 + stamp.y, target.width, target.height,
                       [&](int x, int y, int sx, int sy) {
                           float alpha = 0;
                           if (smooth) {
                               const BlendedSource& c = blendedColumns[static_cast<std::size_t>(sx)];
                               const BlendedSource& r = blendedRows[static_cast<std::size_t>(sy)];
                               if (c.first < 0 || r.first < 0)
                                   return; // the scaled tip starts transparent
                               alpha = blended(alphaAt(c.first, r.first), alphaAt(c.second, r.first),
                                               alphaAt(c.first, r.second), alphaAt(c.second, r.second), c.share,
                                               r.share);
                           } else {
                               const int tx = columns[static_cast<std::size_t>(sx)];
                               const int ty = rows[static_cast<std::size_t>(sy)];
                               if (tx < 0 || ty < 0)
                                   return;
                               alpha = static_cast<float>(alphaAt(tx, ty));
                           }
                           if (alpha == 0)
                               return;
                           const float w = alpha * kByteToUnit * opacity;
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

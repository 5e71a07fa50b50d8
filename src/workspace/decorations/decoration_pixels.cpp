#include "workspace/decorations/decoration_pixels.h"

#include "imaging/filters/filter_rows.h"
#include "workspace/decorations/rotated_sampling.h"

#include <algorithm>
#include <cmath>

namespace workspace {

namespace {

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

// 32-bit opaque copies of the B,G,R pixels first … end − 1 of a row.
PV_VECTOR_CLONES void copyOpaque(const std::uint8_t* from, QRgb* __restrict to, int first, int end) {
    for (int x = first; x < end; ++x) {
        const std::uint8_t* p = from + static_cast<std::size_t>(x) * 3;
        to[x] = 0xFF000000u | (QRgb{p[2]} << 16) | (QRgb{p[1]} << 8) | p[0];
    }
}

} // namespace

ScaledMask::ScaledMask(const imaging::RasterImage& mask, float scale, bool smoothEnlarging) {
    for (int blue = 0; blue < 256; ++blue) {
        const float a = static_cast<float>(blue) / 255.0f;
        byBlue_[blue] = a > kMaskWhiteAbove ? 1.0f : a;
    }
    if (mask.empty() || mask.bgra.size() < mask.stride() * static_cast<std::size_t>(mask.height))
        return;
    width_ = scaledSide(mask.width, scale);
    height_ = scaledSide(mask.height, scale);
    if (width_ <= 0 || height_ <= 0) {
        width_ = height_ = 0;
        return;
    }
    // Only the blue counts, with a white column after each row and a white row after the last for the
    // scaled pixels beyond the mask's own: a turned mask is read across its rows, and a quarter of the
    // bytes stay in the processor's caches.
    const auto sourceWidth = static_cast<std::size_t>(mask.width);
    stride_ = sourceWidth + 1;
    blues_.assign(stride_ * (static_cast<std::size_t>(mask.height) + 1), 0xFF);
    for (int y = 0; y < mask.height; ++y) {
        const std::uint8_t* from = mask.row(y);
        std::uint8_t* to = blues_.data() + stride_ * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < sourceWidth; ++x)
            to[x] = from[x * 4];
    }
    smooth_ = smoothEnlarging && scale > 1;
    if (smooth_) {
        blendedColumns_ = blendedSourcePixels(width_, mask.width, scale);
        blendedRows_ = blendedSourcePixels(height_, mask.height, scale);
        return;
    }
    for (const int column : nearestSourcePixels(width_, mask.width, scale))
        columns_.push_back(column < 0 ? sourceWidth : static_cast<std::size_t>(column));
    for (const int row : nearestSourcePixels(height_, mask.height, scale))
        rowStarts_.push_back(
            stride_ * (row < 0 ? static_cast<std::size_t>(mask.height) : static_cast<std::size_t>(row)));
}

void ScaledMask::row(int sx, int sy, int count, float* __restrict shares) const {
    if (smooth_) {
        for (int i = 0; i < count; ++i)
            shares[i] = smoothAt(sx + i, sy);
        return;
    }
    const std::uint8_t* blues = blues_.data() + rowStarts_[static_cast<std::size_t>(sy)];
    const std::size_t* columns = columns_.data() + sx;
    for (int i = 0; i < count; ++i)
        shares[i] = byBlue_[blues[columns[i]]];
}

void ScaledMask::gather(const int* xs, const int* ys, int count, float* __restrict shares) const {
    if (smooth_) {
        for (int i = 0; i < count; ++i)
            shares[i] = smoothAt(xs[i], ys[i]);
        return;
    }
    const std::uint8_t* blues = blues_.data();
    const std::size_t* columns = columns_.data();
    const std::size_t* rows = rowStarts_.data();
    for (int i = 0; i < count; ++i)
        shares[i] = byBlue_[blues[rows[ys[i]] + columns[xs[i]]]];
}

float ScaledMask::smoothAt(int sx, int sy) const {
    const BlendedSource& r = blendedRows_[static_cast<std::size_t>(sy)];
    const BlendedSource& c = blendedColumns_[static_cast<std::size_t>(sx)];
    if (r.first < 0 || c.first < 0)
        return 1.0f;
    const std::uint8_t* upper = blues_.data() + stride_ * static_cast<std::size_t>(r.first);
    const std::uint8_t* lower = blues_.data() + stride_ * static_cast<std::size_t>(r.second);
    const float a =
        blended(upper[c.first], upper[c.second], lower[c.first], lower[c.second], c.share, r.share) / 255.0f;
    return a > kMaskWhiteAbove ? 1.0f : a;
}

void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const imaging::RasterImage& mask, const MaskPlacement& placement, QImage& out,
                     bool smoothEnlarging) {
    ApplyMaskPixels(background, photo, ScaledMask(mask, placement.scale, smoothEnlarging), placement.angle,
                    placement.offsetX, placement.offsetY, out);
}

void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const ScaledMask& mask, float angle, int offsetX, int offsetY, QImage& out) {
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
    const int width = size.width();

    const int cw = photo.width;
    const int ch = photo.height;
    // A mask smaller than a pixel covers nothing: the background everywhere.
    const bool applies = !photo.empty() && size == QSize(cw, ch);
    const TurnedPlacement placed(applies ? mask.width() : 0, applies ? mask.height() : 0,
                                 wholeDegreeRadians(angle), cw / 2 + offsetX, ch / 2 + offsetY, cw, ch);
    const std::vector<std::uint8_t> whiteRow(white ? static_cast<std::size_t>(width) * 3 : 0, 0xFF);

    // Each canvas pixel depends on nothing but its own place: bands of rows go to several threads. Each
    // row gathers the a of the run the mask covers, then is written once: the background, and that run
    // mixed.
    imaging::detail::inBands(
        size.height(), static_cast<std::size_t>(width) * static_cast<std::size_t>(size.height()),
        [&](int firstRow, int endRow) {
            std::vector<float> pixelShares(static_cast<std::size_t>(width));
            std::vector<int> pictureXs(placed.upright() ? 0 : static_cast<std::size_t>(width));
            std::vector<int> pictureYs(pictureXs.size());
            for (int y = firstRow; y < endRow; ++y) {
                QRgb* const to = reinterpret_cast<QRgb*>(bits + perLine * static_cast<std::size_t>(y));
                const std::uint8_t* const back = white ? whiteRow.data() : background.row(y);
                int left = 0; // the run the mask covers: left … end − 1
                int end = 0;
                if (placed.upright()) {
                    const TurnedPlacement::Run run = placed.uprightRun(y);
                    if (run.end > run.first) {
                        mask.row(run.pictureX, run.pictureY, run.end - run.first,
                                 pixelShares.data() + run.first);
                        left = run.first;
                        end = run.end;
                    }
                } else {
                    const TurnedPlacement::Columns run = placed.coveredColumns(y);
                    if (run.end > run.first) {
                        placed.picturePixels(y, run, pictureXs.data(), pictureYs.data());
                        mask.gather(pictureXs.data(), pictureYs.data(), run.end - run.first,
                                    pixelShares.data() + run.first);
                        left = run.first;
                        end = run.end;
                    }
                }
                copyOpaque(back, to, 0, left);
                if (end > left)
                    mixPixels(back, photo.row(y), pixelShares.data(), to, left, end);
                copyOpaque(back, to, end, width);
            }
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

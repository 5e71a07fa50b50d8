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

// The a of each pixel of the scaled mask: its blue / 255, 1 above 0.9, and 1 beyond the mask's own pixels.
// The lookups are made once for all bands of a composition.
class MaskShares {
public:
    MaskShares(const imaging::RasterImage& mask, int scaledWidth, int scaledHeight, float scale, bool smooth)
        : mask_(mask), smooth_(smooth) {
        for (int blue = 0; blue < 256; ++blue) {
            const float a = static_cast<float>(blue) / 255.0f;
            byBlue_[blue] = a > kMaskWhiteAbove ? 1.0f : a;
        }
        if (smooth) {
            blendedColumns_ = blendedSourcePixels(scaledWidth, mask.width, scale);
            blendedRows_ = blendedSourcePixels(scaledHeight, mask.height, scale);
            return;
        }
        if (scaledWidth <= 0 || scaledHeight <= 0)
            return;
        // Only the blue counts, with a white column after each row and a white row after the last for the
        // scaled pixels beyond the mask's own: a turned mask is read across its rows, and a quarter of the
        // bytes stay in the processor's caches.
        const auto sourceWidth = static_cast<std::size_t>(mask.width);
        const std::size_t stride = sourceWidth + 1;
        blues_.assign(stride * (static_cast<std::size_t>(mask.height) + 1), 0xFF);
        for (int y = 0; y < mask.height; ++y) {
            const std::uint8_t* from = mask.row(y);
            std::uint8_t* to = blues_.data() + stride * static_cast<std::size_t>(y);
            for (std::size_t x = 0; x < sourceWidth; ++x)
                to[x] = from[x * 4];
        }
        for (const int column : nearestSourcePixels(scaledWidth, mask.width, scale))
            columns_.push_back(column < 0 ? sourceWidth : static_cast<std::size_t>(column));
        for (const int row : nearestSourcePixels(scaledHeight, mask.height, scale))
            rowStarts_.push_back(
                stride * (row < 0 ? static_cast<std::size_t>(mask.height) : static_cast<std::size_t>(row)));
    }

    // a of the `count` scaled pixels from (sx, sy) rightwards, into shares[0 … count − 1]; they lie
    // within the scaled mask.
    void row(int sx, int sy, int count, float* __restrict shares) const {
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

    // a of the `count` scaled pixels (xs[i], ys[i]), which lie within the scaled mask, into shares.
    void gather(const int* xs, const int* ys, int count, float* __restrict shares) const {
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

private:
    float smoothAt(int sx, int sy) const {
        const BlendedSource& r = blendedRows_[static_cast<std::size_t>(sy)];
        const BlendedSource& c = blendedColumns_[static_cast<std::size_t>(sx)];
        if (r.first < 0 || c.first < 0)
            return 1.0f;
        const std::uint8_t* upper = mask_.row(r.first);
        const std::uint8_t* lower = mask_.row(r.second);
        const float a = blended(upper[c.first * 4], upper[c.second * 4], lower[c.first * 4],
                                lower[c.second * 4], c.share, r.share) /
                        255.0f;
        return a > kMaskWhiteAbove ? 1.0f : a;
    }

    const imaging::RasterImage& mask_;
    bool smooth_;
    float byBlue_[256];
    std::vector<std::uint8_t> blues_;  // the mask's blue, each row followed by a white byte, then a white row
    std::vector<std::size_t> columns_; // of each scaled column, within a row of blues_
    std::vector<std::size_t> rowStarts_; // of each scaled row, within blues_
    std::vector<BlendedSource> blendedColumns_;
    std::vector<BlendedSource> blendedRows_;
};

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
    const int width = size.width();

    const int cw = photo.width;
    const int ch = photo.height;
    const bool applies = !photo.empty() && size == QSize(cw, ch) && !mask.empty() &&
                         mask.bgra.size() >= mask.stride() * static_cast<std::size_t>(mask.height);
    // A mask smaller than a pixel covers nothing: the background everywhere.
    const int sw = applies ? scaledSide(mask.width, placement.scale) : 0;
    const int sh = applies ? scaledSide(mask.height, placement.scale) : 0;
    const MaskShares shares(mask, sw, sh, placement.scale, smoothEnlarging && placement.scale > 1);
    const TurnedPlacement placed(sw, sh, wholeDegreeRadians(placement.angle), cw / 2 + placement.offsetX,
                                 ch / 2 + placement.offsetY, cw, ch);
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
                        shares.row(run.pictureX, run.pictureY, run.end - run.first,
                                   pixelShares.data() + run.first);
                        left = run.first;
                        end = run.end;
                    }
                } else {
                    const TurnedPlacement::Columns run = placed.coveredColumns(y);
                    if (run.end > run.first) {
                        placed.picturePixels(y, run, pictureXs.data(), pictureYs.data());
                        shares.gather(pictureXs.data(), pictureYs.data(), run.end - run.first,
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

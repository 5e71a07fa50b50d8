#pragma once
// The two per-pixel rules of the decorations, on canvas-sized B,G,R buffers: a mask blending the photo
// into the background, and one tinted brush stamp.

#include "imaging/codecs/raster.h"
#include "imaging/photo_buffer.h"
#include "workspace/decorations/rotated_sampling.h"

#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace workspace {

// A mask pixel whose blue is above this share of 255 counts as fully white.
inline constexpr double kMaskWhiteAbove = 0.9;

struct MaskPlacement {
    float scale = 1.0f; // the user's scale × the base factor
    float angle = 0;    // degrees, clockwise on screen; only whole degrees count
    int offsetX = 0;    // the mask's centre from the canvas centre, canvas pixels
    int offsetY = 0;
};

// A mask made ready for the mask rule at one scale (the user's scale × the base factor): its blue, and
// where each pixel of the scaled mask reads it, by nearest neighbour or, with `smoothEnlarging`, for an
// enlarged mask bilinearly over the same pixels. Made once, it serves every move and turn at that scale.
// A mask smaller than a pixel, or whose pixels are missing, is empty and covers nothing.
class ScaledMask {
public:
    ScaledMask() = default;
    ScaledMask(const imaging::RasterImage& mask, float scale, bool smoothEnlarging = false);

    // The scaled mask's size.
    int width() const { return width_; }
    int height() const { return height_; }

    // The a of `count` scaled pixels, into shares[0 … count − 1]: from (sx, sy) rightwards, or at
    // (xs[i], ys[i]). Each lies within the scaled mask.
    void row(int sx, int sy, int count, float* shares) const;
    void gather(const int* xs, const int* ys, int count, float* shares) const;

private:
    float smoothAt(int sx, int sy) const;

    int width_ = 0;
    int height_ = 0;
    bool smooth_ = false;
    float byBlue_[256] = {}; // a by blue value
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> blues_;  // the mask's blue, each row followed by a white byte, then a white row
    std::vector<std::size_t> columns_; // of each scaled column, within a row of blues_
    std::vector<std::size_t> rowStarts_; // of each scaled row, within blues_
    std::vector<BlendedSource> blendedColumns_;
    std::vector<BlendedSource> blendedRows_;
};

// out = the background, and inside the placed mask, background and photo mixed by the mask's blue: a =
// blue / 255 (1 above 0.9), out = truncate(a × background + (1 - a) × photo). The scaled mask is turned
// about its centre, which lies (offsetX, offsetY) from the canvas centre. `background` has the canvas
// size, or is empty for plain white; `out` becomes a 32-bit opaque picture (QImage::Format_RGB32) of the
// canvas size, made on several threads. Pixels outside the canvas are never touched.
void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const ScaledMask& mask, float angle, int offsetX, int offsetY, QImage& out);
// The same for a mask made ready for this one composition.
void ApplyMaskPixels(const imaging::PhotoBuffer& background, const imaging::PhotoBuffer& photo,
                     const imaging::RasterImage& mask, const MaskPlacement& placement, QImage& out,
                     bool smoothEnlarging = false);

struct BrushStamp {
    float scale = 1.0f; // brush size / tip width
    float angle = 0;    // degrees, clockwise on screen; only whole degrees count
    int opacity = 255;  // 0-255
    int x = 0;          // the stamp's centre from the canvas centre, canvas pixels
    int y = 0;
};

// Stamps the tip (32-bit, straight alpha; only its alpha counts) tinted with `colour` (0x00BBGGRR) into
// the buffer: W = alpha / 255 × opacity / 255 in single precision, each byte = truncate(W × colour + (1 -
// W) × byte). The tip is scaled by nearest neighbour and turned about its centre. Returns the canvas
// rectangle that may have changed (empty when none). With `smoothEnlarging`, an enlarged tip's alpha is
// sampled bilinearly instead, over the same pixels.
QRect LayBrushStamp(imaging::PhotoBuffer& target, const QImage& tip, const BrushStamp& stamp,
                    std::uint32_t colour, bool smoothEnlarging = false);

} // namespace workspace

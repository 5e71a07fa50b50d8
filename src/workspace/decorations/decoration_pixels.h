#pragma once
// The two per-pixel rules of the decorations, on canvas-sized B,G,R buffers: a mask blending the photo
// into the background, and one tinted brush stamp.

#include "imaging/codecs/raster.h"
#include "imaging/photo_buffer.h"

#include <QImage>
#include <QRect>
#include <cstdint>

namespace workspace {

// A mask pixel whose blue is above this share of 255 counts as fully white.
inline constexpr double kMaskWhiteAbove = 0.9;

struct MaskPlacement {
    float scale = 1.0f; // the user's scale × the base factor
    float angle = 0;    // degrees, clockwise on screen; only whole degrees count
    int offsetX = 0;    // the mask's centre from the canvas centre, canvas pixels
    int offsetY = 0;
};

// out = the background, and inside the placed mask, background and photo mixed by the mask's blue: a =
// blue / 255 (1 above 0.9), out = truncate(a × background + (1 - a) × photo). The mask is scaled by nearest
// neighbour and turned about its centre. `background` has the canvas size, or is empty for plain white;
// `out` becomes a 32-bit opaque picture (QImage::Format_RGB32) of the canvas size, made on several threads.
// Pixels outside the canvas are never touched. With `smoothEnlarging`, an enlarged mask's blue is sampled
// bilinearly instead, over the same pixels.
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

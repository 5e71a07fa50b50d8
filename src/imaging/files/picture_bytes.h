#pragma once
// Pictures held as encoded bytes in memory: undo steps, resource pictures, photo list thumbnails.

#include "imaging/codecs/raster.h"
#include "imaging/photo_buffer.h"

#include <QRectF>
#include <cstdint>
#include <optional>
#include <span>

class QPainter;

namespace imaging {

// Decodes encoded bytes (any format the drawing library reads) as 24-bit B,G,R rows, top row first.
std::optional<PhotoBuffer> DecodePictureBytesRgb(std::span<const std::uint8_t> bytes);

// The same as 32-bit B,G,R,A with straight alpha (255 where the picture has none).
std::optional<RasterImage> DecodePictureBytes(std::span<const std::uint8_t> bytes);

// Draws a photo list thumbnail (stored bottom row first) stretched into `target`: flipped upright, or
// turned half round when `mirror` is set, then turned clockwise by rotation × 90 degrees (rotation
// 1 … 3). Returns 1, or 0 when there are no bytes or they cannot be decoded.
int DrawPictureBytes(std::span<const std::uint8_t> bytes, int rotation, bool mirror, QPainter& painter,
                     const QRectF& target);

} // namespace imaging

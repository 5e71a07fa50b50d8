#pragma once
// Windows metafiles (WMF, placeable or plain, and EMF) played onto a QPainter.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>

namespace imaging::codecs {

// Rasterised metafiles are at most this many pixels wide and high.
inline constexpr int kMaxMetafileSide = 4096;

// True when the bytes start like a placeable WMF, a plain WMF or an EMF.
bool looksLikeMetafile(std::span<const std::uint8_t> file);

// Rasterises the metafile at its natural size (96 DPI) on a transparent background; sides are capped at
// 4096 pixels keeping the aspect. Needs a QGuiApplication (the offscreen platform is enough).
DecodeResult decodeMetafile(std::span<const std::uint8_t> file);

// The same with a smaller cap on the sides (1 … kMaxMetafileSide), for previews and thumbnails.
DecodeResult decodeMetafile(std::span<const std::uint8_t> file, int maxSide);

} // namespace imaging::codecs

#pragma once
// Windows metafiles (WMF, placeable or plain, and EMF) played onto a QPainter.

#include "imaging/codecs/raster.h"

#include <cstdint>
#include <span>

namespace imaging::codecs {

// True when the bytes start like a placeable WMF, a plain WMF or an EMF.
bool looksLikeMetafile(std::span<const std::uint8_t> file);

// Rasterises the metafile at its natural size (96 DPI) on a transparent background; sides are capped at
// 4096 pixels keeping the aspect. Needs a QGuiApplication (the offscreen platform is enough).
DecodeResult decodeMetafile(std::span<const std::uint8_t> file);

} // namespace imaging::codecs

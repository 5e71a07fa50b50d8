#pragma once
// Rows of pixels between the photos' 24-bit B,G,R layout and the 32-bit layout Qt draws from and into
// fastest (one native word 0xffRRGGBB a pixel), converted by plain loops: several times faster than Qt's
// own conversion of 24-bit rows, and the same pixels.

#include <QRgb>
#include <cstdint>

namespace imaging {

// `width` pixels; the alpha byte is dropped.
void rgb32RowToBgr(const QRgb* from, std::uint8_t* to, int width);
// `width` pixels, made opaque.
void bgrRowToRgb32(const std::uint8_t* from, QRgb* to, int width);

} // namespace imaging

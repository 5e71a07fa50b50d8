#pragma once

#include <cstdint>

namespace imaging {

// Scales `source` (sourceWidth × sourceHeight, `channels` bytes per pixel, rows without padding) into
// `target` (targetWidth × targetHeight, same layout), all in integer arithmetic:
//   destination row i reads source rows y0 = i·h div H and y1 = y0 + 1 (y0 when the fraction
//   fy = i·h mod H is 0), column j likewise x0 = j·w div W, fx = j·w mod W; each channel is
//   (W·H/2 + (W−fx)(H−fy)·P(y0,x0) + fx(H−fy)·P(y0,x1) + (W−fx)fy·P(y1,x0) + fx·fy·P(y1,x1)) div (W·H),
// with x1 and y1 held to the last column and row. With `reverse`, destination row i is written to
// row H−1−i and each pixel's channels in reverse order (B,G,R becomes R,G,B).
void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, std::uint8_t* target,
                      int targetWidth, int targetHeight, int channels, bool reverse);

} // namespace imaging

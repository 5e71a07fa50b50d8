#pragma once

#include <array>
#include <cstdint>
#include <functional>

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

// Where three channels lie in a source row of any 8-bit layout: pixels `bytesPerPixel` bytes apart, channel
// c of the target at byte `channels[c]` of a source pixel.
struct SourceLayout {
    int bytesPerPixel = 3;
    std::array<int, 3> channels{0, 1, 2};
};

// Hands out source row y. Rows are asked for in order (for each target row its upper source row, then the
// lower one, never a row above one asked for before), and a row must stay valid until two more rows have
// been asked for, so a source may convert rows one at a time into a small cache.
using SourceRows = std::function<const std::uint8_t*(int row)>;

// The same scaling with three target channels read from rows as they are handed out, so a decoded picture
// in any layout is scaled where it lies, without a full-size converted copy.
void ResampleBilinear(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                      std::uint8_t* target, int targetWidth, int targetHeight, bool reverse);

} // namespace imaging

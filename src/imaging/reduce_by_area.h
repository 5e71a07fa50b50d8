#pragma once
// Shrinking a picture by area averaging: every source pixel counts, so fine detail turns into its mean
// colour instead of aliasing into stripes and grain as point sampling does.

#include "imaging/resample_bilinear.h"

#include <cstdint>

namespace imaging {

// Shrinks the source (rows handed out by `rows`, top row first, each asked for once and in order; the
// three channels placed by `layout`) to targetWidth × targetHeight, written as three channels per pixel,
// rows top first without padding. Each target pixel is the mean of the source rectangle it covers, a
// source pixel cut by its edge counting by the share inside, rounded to nearest. False, with nothing
// written, unless both target sides are positive and no larger than the source's.
bool ReduceByArea(const SourceRows& rows, const SourceLayout& layout, int sourceWidth, int sourceHeight,
                  std::uint8_t* target, int targetWidth, int targetHeight);

} // namespace imaging

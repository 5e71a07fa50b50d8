#pragma once
// Picture files into pixel buffers: size probes, workspace photos, scaled copies for thumbnails and the
// batch converter. The drawing library (platform_picture.h) reads what it recognises; the image library
// (picture.h) reads the rest and all metafiles.

#include "imaging/outcome.h"
#include "imaging/photo_buffer.h"

#include <QSize>
#include <QString>
#include <cstdint>

namespace imaging {

// Photos are capped at this many pixels (1600 × 1200) when they are loaded.
inline constexpr std::int64_t kMaxPhotoPixels = 1'920'000;

// A decoded workspace photo and where it came from.
struct LoadedPicture {
    PhotoBuffer photo;
    bool libraryDecoded = false; // read by the image library rather than the drawing library
    int formatCode = 0;          // the image library's format code; 0 on the drawing library route
    QSize sourceSize;            // the picture's own size, before any reduction
};

// The picture's size without keeping its pixels.
Outcome ProbePictureSize(const QString& path, int& width, int& height);

// Decodes a photo for the workspace: at most kMaxPhotoPixels (larger pictures are reduced by area
// averaging to 1600 wide or 1200 high, keeping the aspect), width rounded down to a multiple of 4.
// `loaded` is replaced only on success, so a failed load leaves the caller's photo as it was.
Outcome LoadPhoto(const QString& path, LoadedPicture& loaded);

// Decodes the picture at its own size (at most kMaxDecodePixels), width rounded down to a multiple of 4, for
// a result made at full size. A picture too large for memory fails with std::bad_alloc.
Outcome LoadOriginalPhoto(const QString& path, LoadedPicture& loaded);

// Thumbnail: R,G,B, bottom row first. Batch: B,G,R, top row first.
enum class ScaledLayout { Thumbnail, Batch };

// Decodes the picture stretched to width × height into `buffer` (width × height × 3 bytes) in the
// layout asked for. A failure leaves the buffer as it was.
Outcome LoadPictureScaled(const QString& path, std::uint8_t* buffer, int width, int height,
                          ScaledLayout layout);

} // namespace imaging

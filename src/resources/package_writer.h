#pragma once
// Builds editing-resource packages (.irs): a category code, an entry count, then per entry a raw
// thumbnail (the resource itself for cliparts and brush tips) and an encoded picture part (with the photo
// hole for frames). The importer reads what this writes; tests and the starter library build packages
// with it.

#include "imaging/codecs/raster.h"
#include "imaging/outcome.h"
#include "resources/resource_types.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace resources {

// The thumbnails of frames, masks and decorations are fitted into cells of this size.
inline constexpr int kThumbnailCell = 64;

struct PackageEntry {
    // The raw part: B,G,R,A pixels with straight alpha, rows top down.
    imaging::RasterImage thumbnail;
    // The picture part: a complete picture file (PNG from this writer) and its size in pixels. The
    // importer skips it for cliparts and brush tips, where it may be empty.
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::vector<std::uint8_t> picture;
    // Frames only.
    PhotoHole hole;
};

// The image's pixels as B,G,R,A with straight alpha.
imaging::RasterImage rawPixelsOf(const QImage& image);
// The image as a PNG file with its alpha channel; empty when it cannot be encoded.
std::vector<std::uint8_t> encodePng(const QImage& image);
// The image fitted into a cell × cell square, never enlarged, smoothly scaled.
QImage fittedThumbnail(const QImage& image, int cell = kThumbnailCell);

class PackageWriter {
public:
    // Any code may be given, so that refused packages can be built too; the importer takes 0 to 4.
    explicit PackageWriter(ResourceCategory category);

    // A frame, mask or decoration: the picture is stored as PNG, the thumbnail is the picture fitted
    // into kThumbnailCell × kThumbnailCell. The hole is stored for frames only.
    imaging::Outcome addPicture(const QImage& picture, const PhotoHole& hole = {});
    // The same with a thumbnail of the caller's own.
    imaging::Outcome addPicture(const QImage& picture, const QImage& thumbnail, const PhotoHole& hole = {});
    // A clipart or brush tip: the raw part is the resource itself; the picture part carries its size
    // and no bytes.
    imaging::Outcome addRaw(const QImage& resource);
    // An entry as given. Refused (nothing added) when the thumbnail's pixels do not match its size or
    // exceed the readers' limits, when a frame, mask or decoration has no picture bytes or an
    // impossible picture size, or when a frame's hole is outside the picture or empty.
    imaging::Outcome addEntry(const PackageEntry& entry);

    int count() const { return count_; }
    // The whole package.
    std::vector<std::uint8_t> bytes() const;
    // Writes the package to a new file and renames it over `path`.
    imaging::Outcome save(const QString& path) const;

private:
    ResourceCategory category_;
    int count_ = 0;
    std::vector<std::uint8_t> entries_;
};

} // namespace resources

#include "resources/package_writer.h"

#include "imaging/files/atomic_file.h"
#include "imaging/fit_size.h"
#include "resources/entry_bytes.h"

#include <QBuffer>
#include <QImageWriter>
#include <cstring>
#include <limits>

namespace resources {

imaging::RasterImage rawPixelsOf(const QImage& image) {
    // ARGB32 is B,G,R,A in memory on little-endian machines, with straight alpha.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    imaging::RasterImage raster;
    raster.width = argb.width();
    raster.height = argb.height();
    raster.bgra.resize(raster.stride() * static_cast<std::size_t>(raster.height));
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(raster.row(y), argb.constScanLine(y), raster.stride());
    raster.hasAlpha = argb.hasAlphaChannel();
    return raster;
}

std::vector<std::uint8_t> encodePng(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32)))
        return {};
    const QByteArray& data = buffer.data();
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size()};
}

QImage fittedThumbnail(const QImage& image, int cell) {
    const imaging::FittedSize size = imaging::FitSize(cell, cell, image.width(), image.height(), false);
    if (size.width <= 0 || size.height <= 0)
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (size.width == image.width() && size.height == image.height())
        return argb;
    return argb.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

PackageWriter::PackageWriter(ResourceCategory category) : category_(category) {}

imaging::Outcome PackageWriter::addPicture(const QImage& picture, const PhotoHole& hole) {
    return addPicture(picture, fittedThumbnail(picture), hole);
}

imaging::Outcome PackageWriter::addPicture(const QImage& picture, const QImage& thumbnail,
                                           const PhotoHole& hole) {
    PackageEntry entry;
    entry.thumbnail = rawPixelsOf(thumbnail);
    entry.pictureWidth = picture.width();
    entry.pictureHeight = picture.height();
    entry.picture = encodePng(picture);
    entry.hole = hole;
    return addEntry(entry);
}

imaging::Outcome PackageWriter::addRaw(const QImage& resource) {
    PackageEntry entry;
    entry.thumbnail = rawPixelsOf(resource);
    entry.pictureWidth = resource.width();
    entry.pictureHeight = resource.height();
    return addEntry(entry);
}

imaging::Outcome PackageWriter::addEntry(const PackageEntry& entry) {
    const imaging::RasterImage& thumbnail = entry.thumbnail;
    if (!rawSizeAcceptable(thumbnail.width, thumbnail.height))
        return imaging::Outcome::failure("the thumbnail is empty or too large");
    if (thumbnail.bgra.size() != thumbnail.stride() * static_cast<std::size_t>(thumbnail.height))
        return imaging::Outcome::failure("the thumbnail's pixels do not match its size");
    if (keepsPictures(category_)) {
        if (!imaging::pixelCountAcceptable(entry.pictureWidth, entry.pictureHeight))
            return imaging::Outcome::failure("the picture is empty or too large");
        if (entry.picture.empty())
            return imaging::Outcome::failure("the picture has no bytes");
    }
    if (static_cast<std::int64_t>(entry.picture.size()) > kMaxEncodedBytes)
        return imaging::Outcome::failure("the picture's file is too large");
    if (carriesHole(category_) && !entry.hole.valid())
        return imaging::Outcome::failure("the photo hole is outside the picture or empty");
    if (count_ == std::numeric_limits<std::int32_t>::max())
        return imaging::Outcome::failure("the package is full");

    appendRawEntry(entries_, thumbnail);
    const std::optional<PhotoHole> hole =
        carriesHole(category_) ? std::optional<PhotoHole>(entry.hole) : std::nullopt;
    appendEncodedEntry(entries_, entry.pictureWidth, entry.pictureHeight, hole, entry.picture);
    ++count_;
    return imaging::Outcome::success();
}

std::vector<std::uint8_t> PackageWriter::bytes() const {
    std::vector<std::uint8_t> out;
    out.reserve(8 + entries_.size());
    appendInt32(out, static_cast<std::int32_t>(category_));
    appendInt32(out, count_);
    out.insert(out.end(), entries_.begin(), entries_.end());
    return out;
}

imaging::Outcome PackageWriter::save(const QString& path) const {
    return imaging::writeFileReplacing(path, bytes());
}

} // namespace resources

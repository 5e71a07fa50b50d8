#include "imaging/files/picture_bytes.h"

#include "imaging/files/platform_picture.h"

#include <QPainter>
#include <QTransform>
#include <cstring>

namespace imaging {

namespace {

QImage decoded(std::span<const std::uint8_t> bytes, QImage::Format format) {
    if (bytes.empty())
        return {};
    PlatformPicture picture(bytes);
    QImage image = picture.read();
    return image.isNull() ? image : image.convertToFormat(format);
}

} // namespace

std::optional<PhotoBuffer> DecodePictureBytesRgb(std::span<const std::uint8_t> bytes) {
    const QImage image = decoded(bytes, QImage::Format_BGR888);
    if (image.isNull())
        return std::nullopt;
    PhotoBuffer buffer;
    buffer.width = image.width();
    buffer.height = image.height();
    buffer.bgr.resize(buffer.stride() * static_cast<std::size_t>(buffer.height));
    for (int y = 0; y < buffer.height; ++y)
        std::memcpy(buffer.row(y), image.constScanLine(y), buffer.stride());
    return buffer;
}

std::optional<RasterImage> DecodePictureBytes(std::span<const std::uint8_t> bytes) {
    // ARGB32 is B,G,R,A in memory on little-endian machines, with straight alpha.
    const QImage image = decoded(bytes, QImage::Format_ARGB32);
    if (image.isNull())
        return std::nullopt;
    RasterImage raster;
    raster.width = image.width();
    raster.height = image.height();
    raster.bgra.assign(raster.stride() * static_cast<std::size_t>(raster.height), 0xFF);
    for (int y = 0; y < raster.height; ++y) {
        std::memcpy(raster.row(y), image.constScanLine(y), raster.stride());
        const std::uint8_t* row = raster.row(y);
        for (int x = 0; x < raster.width && !raster.hasAlpha; ++x)
            raster.hasAlpha = row[x * 4 + 3] != 255;
    }
    return raster;
}

int DrawPictureBytes(std::span<const std::uint8_t> bytes, int rotation, bool mirror, QPainter& painter,
                     const QRectF& target) {
    PlatformPicture picture(bytes);
    QImage image = picture.read();
    if (image.isNull())
        return 0;
    // The thumbnail's rows are stored bottom first: a vertical flip puts it upright; with the mirror
    // flag a half turn does, which also swaps left and right.
    image = mirror ? image.mirrored(true, true) : image.mirrored(false, true);
    if (rotation >= 1 && rotation <= 3)
        image = image.transformed(QTransform().rotate(90.0 * rotation));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    painter.restore();
    return 1;
}

} // namespace imaging

#include "imaging/files/platform_picture.h"

#include "imaging/codecs/bmp_codec.h"
#include "imaging/codecs/raster.h"
#include "imaging/files/format_codes.h"

#include <QFile>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace imaging {

namespace {

constexpr qint64 kMaxFileBytes = qint64{1} << 30;

bool platformFormat(const QByteArray& format) {
    static const std::array<QByteArray, 6> formats{"bmp", "gif", "jpeg", "png", "tiff", "ico"};
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

using Pixels = std::vector<std::uint8_t>;

// The cleanup of an image that owns decoded pixels.
void freePixels(void* pixels) {
    const std::unique_ptr<Pixels> owned(static_cast<Pixels*>(pixels));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return {};
    return file.readAll();
}

} // namespace

PlatformPicture::PlatformPicture(const QString& path) : data_(readFile(path)) {
    inspect();
}

PlatformPicture::PlatformPicture(std::span<const std::uint8_t> bytes)
    : data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<qsizetype>(bytes.size()))) {
    inspect();
}

void PlatformPicture::inspect() {
    if (data_.isEmpty())
        return;
    buffer_.setData(data_);
    if (!buffer_.open(QIODevice::ReadOnly))
        return;
    reader_.setDevice(&buffer_);
    reader_.setDecideFormatFromContent(true);
    reader_.setAutoTransform(false);
    // Qt's own limit is lower than ours; the pixel count is checked below instead.
    reader_.setAllocationLimit(static_cast<int>(kMaxDecodePixels * 8 / (1024 * 1024)) + 1);
    if (!reader_.canRead())
        return;
    format_ = reader_.format();
    size_ = reader_.size();
    if (format_ == "bmp") {
        // Qt gives the height of a top-down bitmap as it is stored: negative.
        size_.setHeight(std::abs(size_.height()));
        ownBitmap_ = codecs::bmpBitsPerPixel(bytes()) == 16;
    }
    recognised_ = platformFormat(format_) && pixelCountAcceptable(size_.width(), size_.height());
}

std::span<const std::uint8_t> PlatformPicture::bytes() const {
    return {reinterpret_cast<const std::uint8_t*>(data_.constData()), static_cast<std::size_t>(data_.size())};
}

QImage PlatformPicture::readOwnBitmap() const {
    DecodeResult decoded = codecs::decodeBmp(bytes());
    if (!decoded.ok())
        return {};
    // The image takes the decoded pixels over; B,G,R,A in memory is ARGB32 on little-endian machines.
    auto pixels = std::make_unique<Pixels>(std::move(decoded.image.bgra));
    const RasterImage& raster = decoded.image;
    const QImage image(pixels->data(), raster.width, raster.height, static_cast<qsizetype>(raster.stride()),
                       raster.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32, freePixels,
                       pixels.get());
    pixels.release();
    return image;
}

QImage PlatformPicture::read() {
    if (!recognised_)
        return {};
    QImage image = ownBitmap_ ? readOwnBitmap() : reader_.read();
    if (image.isNull() || !pixelCountAcceptable(image.width(), image.height()))
        return {};
    return image;
}

bool takesPlatformRoute(const PlatformPicture& picture, const QString& path) {
    const QString extension = extensionOf(path).toUpper();
    if (picture.format() == "ico") {
        const int named = ImageTypeFromExtension(extension.toLower());
        if (named == kFormatTga || named == kFormatPcx || named == kFormatPnm)
            return false;
    }
    return picture.recognised() && extension != QLatin1String("WMF") && extension != QLatin1String("EMF");
}

} // namespace imaging

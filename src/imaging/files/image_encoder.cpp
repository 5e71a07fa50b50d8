#include "imaging/files/image_encoder.h"

#include "imaging/files/atomic_file.h"
#include "imaging/files/gif_codec.h"
#include "imaging/files/tiff_codec.h"

#include <QBuffer>
#include <QImageWriter>
#include <array>
#include <cstring>

namespace imaging {

namespace {

enum class Writer { Qt, Gif, Tiff };

struct EncoderEntry {
    const char* classId;
    const char* extensions;
    const char* mimeType;
    Writer writer;
    const char* qtFormat;
};

constexpr std::array<EncoderEntry, 5> kEncoders{{
    {"{557cf400-1a04-11d3-9a73-0000f81ef32e}", "*.bmp;*.dib;*.rle", "image/bmp", Writer::Qt, "bmp"},
    {"{557cf401-1a04-11d3-9a73-0000f81ef32e}", "*.jpg;*.jpeg;*.jpe;*.jfif", "image/jpeg", Writer::Qt, "jpeg"},
    {"{557cf402-1a04-11d3-9a73-0000f81ef32e}", "*.gif", "image/gif", Writer::Gif, nullptr},
    {"{557cf405-1a04-11d3-9a73-0000f81ef32e}", "*.tif;*.tiff", "image/tiff", Writer::Tiff, nullptr},
    {"{557cf406-1a04-11d3-9a73-0000f81ef32e}", "*.png", "image/png", Writer::Qt, "png"},
}};

const EncoderEntry* entryFor(const QString& mimeType) {
    for (const EncoderEntry& entry : kEncoders) {
        if (mimeType == QLatin1String(entry.mimeType))
            return &entry;
    }
    return nullptr;
}

RasterImage rasterOf(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    RasterImage raster;
    raster.width = argb.width();
    raster.height = argb.height();
    raster.hasAlpha = picture.hasAlphaChannel();
    raster.bgra.resize(raster.stride() * static_cast<std::size_t>(raster.height));
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(raster.row(y), argb.constScanLine(y), raster.stride());
    return raster;
}

// Qt turns a PNG "quality" into the zlib level: the higher the quality, the less effort. 70 is a light
// level, about four times faster than the default on photos for a slightly larger file.
constexpr int kPngSpeedQuality = 70;

std::vector<std::uint8_t> encoded(const EncoderEntry& entry, const QImage& picture, int quality) {
    switch (entry.writer) {
    case Writer::Gif:
        return encodeGif(rasterOf(picture));
    case Writer::Tiff:
        return encodeTiff(rasterOf(picture), TiffCompression::Lzw);
    case Writer::Qt:
        break;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, entry.qtFormat);
    if (std::strcmp(entry.qtFormat, "jpeg") == 0)
        writer.setQuality(quality);
    if (std::strcmp(entry.qtFormat, "png") == 0)
        writer.setQuality(kPngSpeedQuality);
    if (!writer.write(picture))
        return {};
    const QByteArray& bytes = buffer.data();
    return {bytes.begin(), bytes.end()};
}

} // namespace

void ImageEncoder::Find(const QString& nameOrMimeType) {
    quality_ = 90;
    valid_ = false;
    const QString text = nameOrMimeType.toLower();
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    const QString pattern = dot >= 0 ? QLatin1Char('*') + text.mid(dot) : text;
    for (const EncoderEntry& entry : kEncoders) {
        if (pattern == QLatin1String(entry.mimeType) || QLatin1String(entry.extensions).contains(pattern)) {
            classId_ = QUuid::fromString(QLatin1String(entry.classId));
            mimeType_ = QLatin1String(entry.mimeType);
            valid_ = true;
            return;
        }
    }
}

EncoderStatus ImageEncoder::Save(const QImage& picture, const QString& path) const {
    const EncoderEntry* entry = valid_ ? entryFor(mimeType_) : nullptr;
    if (entry == nullptr || picture.isNull())
        return EncoderStatus::GenericError;
    const std::vector<std::uint8_t> bytes = encoded(*entry, picture, quality_);
    if (bytes.empty())
        return EncoderStatus::GenericError;
    return writeFileReplacing(path, bytes) ? EncoderStatus::Ok : EncoderStatus::Win32Error;
}

} // namespace imaging

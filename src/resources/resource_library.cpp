#include "resources/resource_library.h"

#include "imaging/files/picture_bytes.h"
#include "imaging/files/platform_picture.h"
#include "resources/entry_bytes.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <span>

namespace resources {

namespace {

// A whole list never takes more than this in pictures, however large its file; each picture is counted
// with what a picture costs besides its pixels.
constexpr qint64 kMaxListBytes = qint64{1} << 30;
constexpr qint64 kPictureOverhead = 256;

std::span<const std::uint8_t> bytesOf(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

// Reads a raw entry's pixels (the device at the payload) straight into a picture.
QImage readRawPixels(QIODevice& device, const EntryHeader& header) {
    QImage picture(header.width, header.height, QImage::Format_ARGB32);
    if (picture.isNull())
        return {};
    // ARGB32 rows are width × 4 bytes with no padding, exactly the file's layout.
    auto* bits = reinterpret_cast<char*>(picture.bits());
    if (!device.seek(header.payloadOffset) || device.read(bits, header.length) != header.length)
        return {};
    return picture;
}

} // namespace

ResourceLibrary::ResourceLibrary(platform::Folders folders) : folders_(std::move(folders)) {}

QString ResourceLibrary::pathOf(const QString& fileName) const {
    return folders_.GetDataFolder() + fileName;
}

std::optional<EntryHeader> ResourceLibrary::locate(QFile& file, const QString& fileName, ListLayout layout,
                                                   int index) const {
    file.setFileName(pathOf(fileName));
    // Unbuffered: a walk reads a few bytes per entry, never the 16 KB a buffer would fetch.
    if (index < 0 || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const qint64 size = file.size();
    const qint64 modified = file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
    qint64 offset = 0;
    {
        const std::lock_guard lock(mutex_);
        OffsetTable& table = tables_[{fileName, layout}];
        if (table.offsets.empty() || table.size != size || table.modified != modified) {
            table = OffsetTable{size, modified, scanList(file, layout).offsets};
        }
        if (static_cast<std::size_t>(index) >= table.offsets.size())
            return std::nullopt;
        offset = table.offsets[static_cast<std::size_t>(index)];
    }
    // Checked again: the file may have changed since it was walked.
    std::optional<EntryHeader> header = readEntryHeaderAt(file, layout, offset);
    // A picture larger than a resource may be (from an older import) is passed over by the walk but never
    // read: it would cost hundreds of megabytes at every composition.
    if (header && layout != ListLayout::Raw && !pictureSizeAcceptable(header->width, header->height))
        return std::nullopt;
    return header;
}

QByteArray ResourceLibrary::readPayload(QFile& file, const EntryHeader& header) const {
    if (!file.seek(header.payloadOffset))
        return {};
    QByteArray bytes = file.read(header.length);
    return bytes.size() == header.length ? bytes : QByteArray();
}

QImage ResourceLibrary::ReadRawPicture(const QString& fileName, int index) const {
    QFile file;
    const std::optional<EntryHeader> header = locate(file, fileName, ListLayout::Raw, index);
    return header ? readRawPixels(file, *header) : QImage();
}

QImage ResourceLibrary::ReadEncodedPicture(const QString& fileName, int index) const {
    QFile file;
    const std::optional<EntryHeader> header = locate(file, fileName, encodedLayoutFor(fileName), index);
    if (!header)
        return {};
    const QByteArray bytes = readPayload(file, *header);
    if (bytes.isEmpty())
        return {};
    imaging::PlatformPicture picture(bytesOf(bytes));
    if (!picture.recognised() || picture.size() != QSize(header->width, header->height))
        return {};
    const QImage decoded = picture.read();
    return decoded.isNull() ? decoded : decoded.convertToFormat(QImage::Format_ARGB32);
}

std::optional<imaging::RasterImage> ResourceLibrary::ReadMaskPixels(int index) const {
    QFile file;
    const std::optional<EntryHeader> header = locate(file, files::kMasks, ListLayout::Encoded, index);
    if (!header)
        return std::nullopt;
    const QByteArray bytes = readPayload(file, *header);
    // The picture's own header must agree before its pixels are decoded at the size it gives.
    if (bytes.isEmpty() ||
        imaging::PlatformPicture(bytesOf(bytes)).size() != QSize(header->width, header->height))
        return std::nullopt;
    std::optional<imaging::RasterImage> pixels = imaging::DecodePictureBytes(bytesOf(bytes));
    if (!pixels || pixels->width != header->width || pixels->height != header->height)
        return std::nullopt;
    return pixels;
}

std::optional<EntryHeader> ResourceLibrary::ReadEntryHeader(const QString& fileName, int index) const {
    QFile file;
    return locate(file, fileName, encodedLayoutFor(fileName), index);
}

ResourceLibrary::RawList ResourceLibrary::ReadRawList(const QString& fileName) const {
    RawList list;
    QFile file(pathOf(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return list;
    const std::optional<std::int32_t> count = readListCount(file);
    if (!count)
        return list;
    qint64 offset = kCountBytes;
    qint64 total = 0;
    const std::int32_t readable = std::min(*count, kMaxListEntries);
    for (std::int32_t i = 0; i < readable; ++i) {
        const std::optional<EntryHeader> header = readEntryHeaderAt(file, ListLayout::Raw, offset);
        if (!header || header->length + kPictureOverhead > kMaxListBytes - total)
            return list;
        QImage picture = readRawPixels(file, *header);
        if (picture.isNull())
            return list;
        list.pictures.push_back(std::move(picture));
        total += header->length + kPictureOverhead;
        offset = header->end();
    }
    list.complete = *count <= kMaxListEntries;
    return list;
}

void ResourceLibrary::forgetOffsets() const {
    const std::lock_guard lock(mutex_);
    tables_.clear();
}

} // namespace resources

#include "resources/list_file.h"

#include "imaging/codecs/raster.h"
#include "resources/entry_bytes.h"

#include <algorithm>

namespace resources {

ListLayout encodedLayoutFor(const QString& fileName) {
    return fileName == files::kFrames ? ListLayout::EncodedWithHole : ListLayout::Encoded;
}

std::optional<std::int32_t> readListCount(QIODevice& device) {
    std::uint8_t bytes[kCountBytes];
    if (!device.seek(0) || device.read(reinterpret_cast<char*>(bytes), kCountBytes) != kCountBytes)
        return std::nullopt;
    return int32At(bytes);
}

std::optional<EntryHeader> readEntryHeaderAt(QIODevice& device, ListLayout layout, qint64 offset) {
    const qint64 headerBytes = layout == ListLayout::Raw       ? kRawHeaderBytes
                               : layout == ListLayout::Encoded ? kEncodedHeaderBytes
                                                               : kEncodedHeaderBytes + kHoleBytes;
    std::uint8_t bytes[kEncodedHeaderBytes + kHoleBytes];
    if (!device.seek(offset) || device.read(reinterpret_cast<char*>(bytes), headerBytes) != headerBytes)
        return std::nullopt;
    EntryHeader header;
    header.width = int32At(bytes);
    header.height = int32At(bytes + 4);
    header.payloadOffset = offset + headerBytes;
    if (layout == ListLayout::Raw) {
        if (!rawSizeAcceptable(header.width, header.height))
            return std::nullopt;
        header.length = std::int64_t{header.width} * header.height * 4;
    } else {
        header.length = int32At(bytes + 8);
        if (!imaging::pixelCountAcceptable(header.width, header.height) || header.length <= 0 ||
            header.length > kMaxEncodedBytes)
            return std::nullopt;
        if (layout == ListLayout::EncodedWithHole)
            header.hole = holeAt(bytes + kEncodedHeaderBytes);
    }
    if (header.length > device.size() - header.payloadOffset)
        return std::nullopt;
    return header;
}

ListScan scanList(QIODevice& device, ListLayout layout) {
    ListScan scan;
    const std::optional<std::int32_t> count = readListCount(device);
    if (!count)
        return scan;
    scan.hasCount = true;
    scan.count = *count;
    qint64 offset = kCountBytes;
    const std::int32_t readable = std::min(scan.count, kMaxListEntries);
    for (std::int32_t i = 0; i < readable; ++i) {
        const std::optional<EntryHeader> header = readEntryHeaderAt(device, layout, offset);
        if (!header)
            break;
        scan.offsets.push_back(offset);
        offset = header->end();
    }
    scan.end = offset;
    return scan;
}

} // namespace resources

#include "resources/package_reader.h"

#include "imaging/files/platform_picture.h"
#include "resources/entry_bytes.h"

#include <string>

namespace resources {

namespace {

imaging::Outcome truncated() {
    return imaging::Outcome::failure("the package ends before its last entry");
}

} // namespace

PackageReader::PackageReader(QIODevice& device) : device_(device) {}

qint64 PackageReader::remaining() const {
    return device_.size() - device_.pos();
}

bool PackageReader::readExactly(void* into, qint64 length) {
    return device_.read(static_cast<char*>(into), length) == length;
}

imaging::Outcome PackageReader::readHeader() {
    std::uint8_t header[8];
    if (!readExactly(header, sizeof header))
        return imaging::Outcome::failure("the file is too short to be a package");
    const std::int32_t code = int32At(header);
    const std::optional<ResourceCategory> category = categoryFromCode(code);
    if (!category)
        return imaging::Outcome::failure("its category (" + std::to_string(code) +
                                         ") is not one of frames, masks, cliparts, decorations or brushes");
    const std::int32_t count = int32At(header + 4);
    if (count <= 0)
        return imaging::Outcome::failure("it holds no resources");
    if (count > kMaxListEntries)
        return imaging::Outcome::failure("it holds more than " + std::to_string(kMaxListEntries) +
                                         " resources");
    const qint64 smallestEntry =
        kRawHeaderBytes + 4 + kEncodedHeaderBytes + (carriesHole(*category) ? kHoleBytes : 0);
    if (count > remaining() / smallestEntry)
        return truncated();
    category_ = *category;
    count_ = count;
    return imaging::Outcome::success();
}

imaging::Outcome PackageReader::readEntry(PackageEntry& entry) {
    entry = PackageEntry{};
    std::uint8_t header[kEncodedHeaderBytes];
    if (!readExactly(header, kRawHeaderBytes))
        return truncated();
    const std::int32_t width = int32At(header);
    const std::int32_t height = int32At(header + 4);
    if (!rawSizeAcceptable(width, height))
        return imaging::Outcome::failure("a thumbnail of " + std::to_string(width) + " x " +
                                         std::to_string(height) + " pixels is empty or too large");
    const qint64 pixelBytes = qint64{width} * height * 4;
    if (pixelBytes > remaining())
        return truncated();
    entry.thumbnail.width = width;
    entry.thumbnail.height = height;
    entry.thumbnail.bgra.resize(static_cast<std::size_t>(pixelBytes));
    if (!readExactly(entry.thumbnail.bgra.data(), pixelBytes))
        return truncated();

    if (!readExactly(header, kEncodedHeaderBytes))
        return truncated();
    entry.pictureWidth = int32At(header);
    entry.pictureHeight = int32At(header + 4);
    const std::int32_t length = int32At(header + 8);
    if (length < 0)
        return imaging::Outcome::failure("a picture has a negative length");
    if (carriesHole(category_)) {
        std::uint8_t hole[kHoleBytes];
        if (!readExactly(hole, kHoleBytes))
            return truncated();
        entry.hole = holeAt(hole);
        if (!entry.hole.valid())
            return imaging::Outcome::failure("a frame's photo hole lies outside its picture or is empty");
    }
    if (length > remaining())
        return truncated();
    if (!keepsPictures(category_)) {
        // The raw part is the resource itself; the picture part is not used.
        return device_.seek(device_.pos() + length) ? imaging::Outcome::success() : truncated();
    }
    if (!imaging::pixelCountAcceptable(entry.pictureWidth, entry.pictureHeight) || length == 0 ||
        length > kMaxEncodedBytes)
        return imaging::Outcome::failure("a picture is empty or too large");
    entry.picture.resize(static_cast<std::size_t>(length));
    if (!readExactly(entry.picture.data(), length))
        return truncated();
    imaging::PlatformPicture picture(entry.picture);
    if (!picture.recognised())
        return imaging::Outcome::failure("a picture is not in a format the editor reads");
    if (picture.size() != QSize(entry.pictureWidth, entry.pictureHeight))
        return imaging::Outcome::failure("a picture's size differs from the size its entry gives");
    return imaging::Outcome::success();
}

} // namespace resources

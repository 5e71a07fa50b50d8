#include "resources/package_reader.h"

#include "imaging/files/platform_picture.h"
#include "resources/entry_bytes.h"

#include <string>

namespace resources {

namespace {

constexpr qint64 kHeaderBytes = 8;

imaging::Outcome truncated() {
    return imaging::Outcome::failure("the package ends before its last entry");
}

// Why a picture of this size is refused, given the largest side allowed.
std::string sizeProblem(const char* what, std::int32_t width, std::int32_t height, std::int32_t largest) {
    if (width <= 0 || height <= 0)
        return std::string("has an empty ") + what;
    return std::string("has a ") + what + " of " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, larger than the " + std::to_string(largest) + " pixels on a side a resource may have";
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
    std::uint8_t header[kHeaderBytes];
    if (!readExactly(header, kHeaderBytes))
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
    next_ = 0;
    return imaging::Outcome::success();
}

imaging::Outcome PackageReader::rewind() {
    next_ = 0;
    return device_.seek(kHeaderBytes) ? imaging::Outcome::success() : truncated();
}

imaging::Outcome PackageReader::refusedEntry(int number, const std::string& problem) const {
    return imaging::Outcome::failure("entry " + std::to_string(number) + " of " + std::to_string(count_) +
                                     " " + problem);
}

imaging::Outcome PackageReader::readEntry(PackageEntry& entry) {
    entry = PackageEntry{};
    ++next_;
    const bool rawIsResource = !keepsPictures(category_);
    std::uint8_t header[kEncodedHeaderBytes];
    if (!readExactly(header, kRawHeaderBytes))
        return truncated();
    const std::int32_t width = int32At(header);
    const std::int32_t height = int32At(header + 4);
    if (!rawSizeAcceptable(width, height))
        return refusedEntry(sizeProblem(rawIsResource ? "picture" : "thumbnail", width, height, kMaxRawSide));
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
        return refusedEntry("has a picture of negative length");
    if (carriesHole(category_)) {
        std::uint8_t hole[kHoleBytes];
        if (!readExactly(hole, kHoleBytes))
            return truncated();
        entry.hole = holeAt(hole);
        if (!entry.hole.valid())
            return refusedEntry("has a photo hole outside its picture or empty");
    }
    if (length > remaining())
        return truncated();
    if (rawIsResource) {
        // The raw part is the resource itself; the picture part is not used.
        return device_.seek(device_.pos() + length) ? imaging::Outcome::success() : truncated();
    }
    if (!pictureSizeAcceptable(entry.pictureWidth, entry.pictureHeight))
        return refusedEntry(sizeProblem("picture", entry.pictureWidth, entry.pictureHeight, kMaxPictureSide));
    if (length == 0 || length > kMaxEncodedBytes)
        return refusedEntry("has a picture file that is empty or larger than " +
                            std::to_string(kMaxEncodedBytes >> 20) + " MB");
    entry.picture.resize(static_cast<std::size_t>(length));
    if (!readExactly(entry.picture.data(), length))
        return truncated();
    // The picture's own header is read, not its pixels: a picture larger than its entry says is refused
    // here, before decoding it could allocate for its real size.
    imaging::PlatformPicture picture(entry.picture);
    if (!picture.recognised())
        return refusedEntry("has a picture that is not in a format the editor reads");
    if (picture.size() != QSize(entry.pictureWidth, entry.pictureHeight))
        return refusedEntry("has a picture whose size differs from the size its entry gives");
    return imaging::Outcome::success();
}

imaging::Outcome PackageReader::decodes(const PackageEntry& entry, int number) const {
    if (entry.picture.empty())
        return imaging::Outcome::success();
    imaging::PlatformPicture picture(entry.picture);
    const QImage decoded = picture.read();
    if (decoded.isNull() || decoded.size() != QSize(entry.pictureWidth, entry.pictureHeight))
        return refusedEntry(number, "has a picture that cannot be decoded: its picture file is damaged");
    return imaging::Outcome::success();
}

} // namespace resources

#include "imaging/image_holder.h"

#include "imaging/files/format_codes.h"

#include <cstring>

namespace imaging {

namespace {

void putLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

Outcome ImageHolder::Load(const QString& path) {
    const QString extension = extensionOf(path);
    if (extension.isEmpty())
        return Outcome::failure("no extension to tell the format");
    const int code = ImageTypeFromExtension(extension.toLower());
    Release();
    auto picture = std::make_unique<Picture>();
    Outcome outcome = picture->load(path, code);
    if (outcome)
        picture_ = std::move(picture);
    return outcome;
}

Outcome ImageHolder::FromBuffer(const std::uint8_t* pixels, int width, int height) {
    Release();
    if (pixels == nullptr || !pixelCountAcceptable(width, height))
        return Outcome::failure("empty or too large picture");
    constexpr std::size_t kHeaderSize = 40;
    // Bitmap rows are padded to whole 32-bit words; photo widths are multiples of 4 and need none.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t blockStride = (rowBytes + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> block(kHeaderSize + blockStride * static_cast<std::size_t>(height), 0);
    putLittleEndian(block.data(), kHeaderSize, 4);
    putLittleEndian(block.data() + 4, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(block.data() + 8, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(block.data() + 12, 1, 2);  // planes
    putLittleEndian(block.data() + 14, 24, 2); // bits per pixel
    for (int y = 0; y < height; ++y)
        std::memcpy(block.data() + kHeaderSize + blockStride * static_cast<std::size_t>(y),
                    pixels + rowBytes * static_cast<std::size_t>(y), rowBytes);
    auto picture = std::make_unique<Picture>();
    Outcome outcome = picture->loadDib(block);
    if (outcome)
        picture_ = std::move(picture);
    return outcome;
}

void ImageHolder::Release() {
    if (picture_) {
        picture_->SetEscape(1);
        picture_.reset();
    }
}

} // namespace imaging

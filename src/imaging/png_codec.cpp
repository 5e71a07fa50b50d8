#include "imaging/png_codec.h"

#include <algorithm>
#include <png.h>

namespace imaging {

namespace {

// Deflate cannot expand data by more than about 1032 to 1; the slack covers headers and filters.
constexpr std::int64_t kMaxInflateRatio = 1100;

// Frees libpng's reading state on every way out.
struct ImageGuard {
    png_image image{};
    ImageGuard() { image.version = PNG_IMAGE_VERSION; }
    ~ImageGuard() { png_image_free(&image); }
    ImageGuard(const ImageGuard&) = delete;
    ImageGuard& operator=(const ImageGuard&) = delete;
};

} // namespace

DecodeResult decodePng(std::span<const std::uint8_t> file) {
    static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature, signature + 8, file.begin()))
        return DecodeResult::failure(CodecError::NotThisFormat, "not a PNG file");
    ImageGuard guard;
    png_image& image = guard.image;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return DecodeResult::failure(CodecError::Corrupt, image.message);
    if (!pixelCountAcceptable(image.width, image.height))
        return DecodeResult::failure(CodecError::TooLarge, "picture too large");
    // At least one bit per pixel plus the filter byte of each row.
    const std::int64_t rawBytes = std::int64_t{image.height} * (1 + (std::int64_t{image.width} + 7) / 8);
    if (rawBytes / kMaxInflateRatio > static_cast<std::int64_t>(file.size()))
        return DecodeResult::failure(CodecError::Truncated, "file too short for its picture size");

    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_BGRA;
    DecodeResult result;
    RasterImage& raster = result.image;
    raster.width = static_cast<int>(image.width);
    raster.height = static_cast<int>(image.height);
    raster.bgra.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, raster.bgra.data(), 0, nullptr))
        return DecodeResult::failure(CodecError::Corrupt, image.message);
    if (alpha) {
        for (std::size_t i = 3; i < raster.bgra.size(); i += 4) {
            if (raster.bgra[i] != 255) {
                raster.hasAlpha = true;
                break;
            }
        }
    }
    return result;
}

std::vector<std::uint8_t> encodePng(const RasterImage& image) {
    if (image.empty())
        return {};
    ImageGuard guard;
    png_image& png = guard.image;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_BGRA;
    std::vector<std::uint8_t> packed;
    const void* pixels = image.bgra.data();
    if (!image.hasAlpha) {
        // Drop the alpha byte so the file holds plain RGB.
        png.format = PNG_FORMAT_BGR;
        packed.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
        for (std::size_t source = 0, target = 0; target < packed.size(); source += 4, target += 3) {
            packed[target] = image.bgra[source];
            packed[target + 1] = image.bgra[source + 1];
            packed[target + 2] = image.bgra[source + 2];
        }
        pixels = packed.data();
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, pixels, 0, nullptr))
        return {};
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels, 0, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

} // namespace imaging

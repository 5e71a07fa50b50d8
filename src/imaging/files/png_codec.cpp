#include "imaging/files/png_codec.h"

#include "imaging/outcome.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <string>

namespace imaging {

namespace {

// Deflate cannot expand data by more than about 1032 to 1; the slack covers headers and filters.
constexpr std::int64_t kMaxInflateRatio = 1100;
// Text, ICC and other ancillary chunks beyond this are refused.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{64} << 20;

struct MemorySource {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep target, png_size_t length) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->data.size() - source->position)
        png_error(png, "file ends early");
    std::memcpy(target, source->data.data() + source->position, length);
    source->position += length;
}

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    text->assign(message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Owns libpng's reading state. decode() holds no C++ objects of its own, so libpng's long jump on an
// error skips nothing that needs destroying; the pixels live in the decoder.
class Decoder {
public:
    ~Decoder() { png_destroy_read_struct(&png_, &info_, nullptr); }

    Outcome decode(std::span<const std::uint8_t> file, RasterImage& image);

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string error_;
    MemorySource source_;
    std::vector<png_bytep> rows_;
};

Outcome Decoder::decode(std::span<const std::uint8_t> file, RasterImage& image) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error_, onError, onWarning);
    if (png_ == nullptr)
        return Outcome::failure("out of memory");
    info_ = png_create_info_struct(png_);
    if (info_ == nullptr)
        return Outcome::failure("out of memory");
    if (setjmp(png_jmpbuf(png_)))
        return Outcome::failure(error_);
    source_ = {file, 0};
    png_set_read_fn(png_, &source_, readFromMemory);
    png_set_user_limits(png_, static_cast<png_uint_32>(kMaxDecodePixels),
                        static_cast<png_uint_32>(kMaxDecodePixels));
    png_set_chunk_malloc_max(png_, kMaxChunkBytes);
    png_read_info(png_, info_);
    const png_uint_32 width = png_get_image_width(png_, info_);
    const png_uint_32 height = png_get_image_height(png_, info_);
    if (!pixelCountAcceptable(width, height))
        return Outcome::failure("picture too large");
    // At least one bit per pixel plus the filter byte of each row must come out of the compressed data.
    const std::int64_t rawBytes = std::int64_t{height} * (1 + (std::int64_t{width} + 7) / 8);
    if (rawBytes / kMaxInflateRatio > static_cast<std::int64_t>(file.size()))
        return Outcome::failure("file too short for its picture size");

    const int colourType = png_get_color_type(png_, info_);
    image.hasAlpha =
        (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png_, info_, PNG_INFO_tRNS) != 0;
    png_set_expand(png_);
    png_set_scale_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_bgr(png_);
    png_set_add_alpha(png_, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png_);
    png_read_update_info(png_, info_);
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    if (png_get_rowbytes(png_, info_) != image.stride())
        return Outcome::failure("unexpected pixel layout");
    image.bgra.resize(image.stride() * height);
    rows_.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows_[y] = image.row(static_cast<int>(y));
    png_read_image(png_, rows_.data());
    return Outcome::success();
}

// Frees libpng's writing state on every way out.
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
    DecodeResult result;
    Decoder decoder;
    const Outcome outcome = decoder.decode(file, result.image);
    if (!outcome)
        return DecodeResult::failure(CodecError::Corrupt, outcome.reason);
    RasterImage& image = result.image;
    if (image.hasAlpha) {
        image.hasAlpha = false;
        for (std::size_t i = 3; i < image.bgra.size() && !image.hasAlpha; i += 4)
            image.hasAlpha = image.bgra[i] != 255;
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

#include "imaging/files/jpeg_thumbnail.h"

#include "imaging/files/jpeg_codec.h"
#include "imaging/files/photo_loading.h"

#include <new>

namespace imaging {

namespace {
constexpr int kThumbnailSide = 80;
constexpr int kThumbnailQuality = 75;
} // namespace

CompressedJpeg CompressJpegToMemory(const std::uint8_t* pixels, int width, int height, int quality,
                                    bool colour) {
    CompressedJpeg result;
    if (pixels == nullptr || width <= 0 || height <= 0) {
        result.reason = "no pixels";
        return result;
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> grey;
    if (!colour) {
        try {
            grey.resize(count);
        } catch (const std::bad_alloc&) {
            result.reason = "no memory for the grey copy";
            result.message = UserMessage{{}, "Memory error"};
            return result;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* p = pixels + i * 3;
            grey[i] = static_cast<std::uint8_t>((77 * p[0] + 150 * p[1] + 29 * p[2] + 128) >> 8);
        }
    }
    const std::uint8_t* rows = colour ? pixels : grey.data();
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) * (colour ? 3 : 1);
    result.bytes = encodeJpeg(rows, width, height, stride, colour ? JpegInput::Rgb : JpegInput::Grey, quality,
                              result.reason);
    if (result.bytes.empty())
        result.message = UserMessage{"JPEG Fatal Error", result.reason};
    return result;
}

CompressedJpeg MakeThumbnailJpeg(const QString& path) {
    std::vector<std::uint8_t> thumbnail(static_cast<std::size_t>(kThumbnailSide) * kThumbnailSide * 3, 0);
    const Outcome loaded =
        LoadPictureScaled(path, thumbnail.data(), kThumbnailSide, kThumbnailSide, ScaledLayout::Thumbnail);
    if (!loaded) {
        CompressedJpeg result;
        result.reason = loaded.reason;
        return result;
    }
    return CompressJpegToMemory(thumbnail.data(), kThumbnailSide, kThumbnailSide, kThumbnailQuality, true);
}

} // namespace imaging

#include "imaging/codecs/raster_util.h"

namespace imaging::codecs {

std::optional<RasterImage> allocateRaster(std::int64_t width, std::int64_t height) {
    if (!pixelCountAcceptable(width, height))
        return std::nullopt;
    RasterImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bgra.resize(static_cast<std::size_t>(width * height) * 4);
    for (std::size_t i = 3; i < image.bgra.size(); i += 4)
        image.bgra[i] = 255;
    return image;
}

DecodeResult sizeFailure(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0)
        return DecodeResult::failure(CodecError::Corrupt, "picture size is zero");
    return DecodeResult::failure(CodecError::TooLarge, "picture too large");
}

void settleAlpha(RasterImage& image) {
    bool anyTransparent = false, anyOpaque = false, anyPartial = false;
    for (std::size_t i = 3; i < image.bgra.size(); i += 4) {
        const std::uint8_t a = image.bgra[i];
        anyTransparent |= a == 0;
        anyOpaque |= a == 255;
        anyPartial |= a != 0 && a != 255;
    }
    image.hasAlpha = anyPartial || (anyTransparent && anyOpaque);
    if (!image.hasAlpha)
        for (std::size_t i = 3; i < image.bgra.size(); i += 4)
            image.bgra[i] = 255;
}

bool encodable(const RasterImage& image) {
    return !image.empty() && pixelCountAcceptable(image.width, image.height) &&
           image.bgra.size() == static_cast<std::size_t>(image.width) * image.height * 4;
}

} // namespace imaging::codecs

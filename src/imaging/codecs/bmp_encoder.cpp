// Writing 24-bit bottom-up bitmap files.

#include "imaging/codecs/bmp_codec.h"
#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/raster_util.h"

namespace imaging::codecs {

std::vector<std::uint8_t> encodeBmp(const RasterImage& image) {
    if (!encodable(image))
        return {};
    constexpr std::size_t kHeaders = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780; // 96 DPI
    const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t dataSize = stride * static_cast<std::size_t>(image.height);
    std::vector<std::uint8_t> out(kHeaders + dataSize, 0);
    std::uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    putLe32(p + 2, static_cast<std::uint32_t>(out.size()));
    putLe32(p + 10, kHeaders);
    putLe32(p + 14, 40);
    putLe32(p + 18, static_cast<std::uint32_t>(image.width));
    putLe32(p + 22, static_cast<std::uint32_t>(image.height));
    putLe16(p + 26, 1);
    putLe16(p + 28, 24);
    putLe32(p + 34, static_cast<std::uint32_t>(dataSize));
    putLe32(p + 38, kPixelsPerMetre);
    putLe32(p + 42, kPixelsPerMetre);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* src = image.row(image.height - 1 - y);
        std::uint8_t* dst = p + kHeaders + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < image.width; ++x, src += 4, dst += 3) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    return out;
}

} // namespace imaging::codecs

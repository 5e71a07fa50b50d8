// Writing RLE true-colour TGA files (type 10, top-left origin), packets kept within one row.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/raster_util.h"
#include "imaging/codecs/tga_codec.h"

#include <cstring>

namespace imaging::codecs {

std::vector<std::uint8_t> encodeTga(const RasterImage& image) {
    if (!encodable(image) || image.width > 0xFFFF || image.height > 0xFFFF)
        return {};
    const std::size_t bpp = image.hasAlpha ? 4 : 3;
    std::vector<std::uint8_t> out(18, 0);
    out[2] = 10;
    putLe16(out.data() + 12, static_cast<std::uint32_t>(image.width));
    putLe16(out.data() + 14, static_cast<std::uint32_t>(image.height));
    out[16] = static_cast<std::uint8_t>(bpp * 8);
    out[17] = static_cast<std::uint8_t>(0x20 | (image.hasAlpha ? 8 : 0));
    out.reserve(18 + image.bgra.size() + image.bgra.size() / 64);

    const auto width = static_cast<std::size_t>(image.width);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.row(y);
        auto same = [&](std::size_t a, std::size_t b) {
            return std::memcmp(row + a * 4, row + b * 4, bpp) == 0;
        };
        std::size_t x = 0;
        while (x < width) {
            std::size_t run = 1;
            while (x + run < width && run < 128 && same(x, x + run))
                ++run;
            if (run >= 2) {
                out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
                out.insert(out.end(), row + x * 4, row + x * 4 + bpp);
                x += run;
                continue;
            }
            // A raw packet runs until two equal neighbours start a repeat.
            std::size_t raw = 1;
            while (x + raw < width && raw < 128 && !(x + raw + 1 < width && same(x + raw, x + raw + 1)))
                ++raw;
            out.push_back(static_cast<std::uint8_t>(raw - 1));
            for (std::size_t k = 0; k < raw; ++k)
                out.insert(out.end(), row + (x + k) * 4, row + (x + k) * 4 + bpp);
            x += raw;
        }
    }
    return out;
}

} // namespace imaging::codecs

// Writing 24-bit PCX files: three 8-bit planes per line, RLE that never runs across a plane.

#include "imaging/codecs/byte_reader.h"
#include "imaging/codecs/pcx_codec.h"
#include "imaging/codecs/raster_util.h"

namespace imaging::codecs {
namespace {

void encodeRun(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& plane) {
    std::size_t x = 0;
    while (x < plane.size()) {
        std::size_t run = 1;
        while (x + run < plane.size() && run < 63 && plane[x + run] == plane[x])
            ++run;
        // Single bytes below 0xC0 stand for themselves; all others need a count byte.
        if (run > 1 || plane[x] >= 0xC0)
            out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        out.push_back(plane[x]);
        x += run;
    }
}

} // namespace

std::vector<std::uint8_t> encodePcx(const RasterImage& image) {
    if (!encodable(image) || image.width > 0xFFFF || image.height > 0xFFFF)
        return {};
    constexpr std::uint32_t kDpi = 96;
    const std::size_t bytesPerLine = (static_cast<std::size_t>(image.width) + 1) & ~std::size_t{1};
    std::vector<std::uint8_t> out(128, 0);
    std::uint8_t* h = out.data();
    h[0] = 0x0A;
    h[1] = 5;
    h[2] = 1;
    h[3] = 8;
    putLe16(h + 8, static_cast<std::uint32_t>(image.width - 1));
    putLe16(h + 10, static_cast<std::uint32_t>(image.height - 1));
    putLe16(h + 12, kDpi);
    putLe16(h + 14, kDpi);
    h[65] = 3;
    putLe16(h + 66, static_cast<std::uint32_t>(bytesPerLine));
    putLe16(h + 68, 1);

    std::vector<std::uint8_t> plane(bytesPerLine, 0);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.row(y);
        for (int channel = 2; channel >= 0; --channel) { // red, green, blue planes
            for (int x = 0; x < image.width; ++x)
                plane[static_cast<std::size_t>(x)] = row[static_cast<std::size_t>(x) * 4 + channel];
            encodeRun(out, plane);
        }
    }
    return out;
}

} // namespace imaging::codecs

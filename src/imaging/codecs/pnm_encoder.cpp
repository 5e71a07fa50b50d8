// Writing raw PPM files (P6, maxval 255).

#include "imaging/codecs/pnm_codec.h"
#include "imaging/codecs/raster_util.h"

#include <string>

namespace imaging::codecs {

std::vector<std::uint8_t> encodePnm(const RasterImage& image) {
    if (!encodable(image))
        return {};
    const std::string header =
        "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::size_t i = 0; i < image.bgra.size(); i += 4) {
        out.push_back(image.bgra[i + 2]);
        out.push_back(image.bgra[i + 1]);
        out.push_back(image.bgra[i]);
    }
    return out;
}

} // namespace imaging::codecs

#include "imaging/codecs/bmp_codec.h"
#include "imaging/codecs/metafile/metafile_players.h"

#include <algorithm>
#include <cstring>

namespace imaging::codecs {

QImage dibImage(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, bool premultiplied) {
    // WMF records hold the rows right after the palette; EMF records point at them separately.
    const DecodeResult decoded = bits.empty() ? decodeDib(info) : decodeDibWithBits(info, bits);
    if (!decoded.ok())
        return {};
    const RasterImage& raster = decoded.image;
    QImage image(raster.width, raster.height,
                 premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < raster.height; ++y) {
        std::uint8_t* dst = image.scanLine(y);
        std::memcpy(dst, raster.row(y), raster.stride());
        if (premultiplied) // a colour above its alpha is not a premultiplied value
            for (std::size_t x = 0; x < raster.stride(); x += 4)
                for (int c = 0; c < 3; ++c)
                    dst[x + c] = std::min(dst[x + c], dst[x + 3]);
    }
    return image;
}

QColor colorRef(std::uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace imaging::codecs

#include "test_pictures.h"

#include "imaging/codecs/tga_codec.h"

#include <QFile>
#include <algorithm>
#include <cstdlib>

namespace imaging_test {

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int red = width > 1 ? x * 255 / (width - 1) : 0;
            const int green = height > 1 ? y * 255 / (height - 1) : 0;
            image.setPixel(x, y, qRgb(red, green, 255 - (x + y) * 255 / std::max(1, width + height - 2)));
        }
    }
    return image;
}

imaging::RasterImage gradientRaster(int width, int height) {
    const QImage image = gradient(width, height).convertToFormat(QImage::Format_ARGB32);
    imaging::RasterImage raster;
    raster.width = width;
    raster.height = height;
    raster.bgra.resize(raster.stride() * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(image.constScanLine(y), raster.stride(), raster.row(y));
    return raster;
}

std::vector<std::uint8_t> gradientBgr(int width, int height) {
    const QImage image = gradient(width, height).convertToFormat(QImage::Format_BGR888);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        std::copy_n(image.constScanLine(y), static_cast<std::size_t>(width) * 3,
                    bytes.data() + static_cast<std::size_t>(y) * width * 3);
    return bytes;
}

std::vector<std::uint8_t> dibBlock(std::span<const std::uint8_t> bgr, int width, int height) {
    std::vector<std::uint8_t> block(40 + bgr.size(), 0);
    block[0] = 40;
    for (int i = 0; i < 4; ++i) {
        block[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(width >> (8 * i));
        block[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(height >> (8 * i));
    }
    block[12] = 1;
    block[14] = 24;
    std::copy(bgr.begin(), bgr.end(), block.begin() + 40);
    return block;
}

std::vector<std::uint8_t> noiseBytes(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 11);
    }
    return bytes;
}

int maxDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    int largest = a.size() == b.size() ? 0 : 256;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

double meanDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    if (a.size() != b.size() || a.empty())
        return 256;
    double total = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        total += std::abs(a[i] - b[i]);
    return total / static_cast<double>(a.size());
}

std::vector<std::uint8_t> tgaOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    imaging::RasterImage raster;
    raster.width = argb.width();
    raster.height = argb.height();
    raster.bgra.resize(raster.stride() * static_cast<std::size_t>(raster.height));
    for (int y = 0; y < raster.height; ++y)
        std::copy_n(argb.constScanLine(y), raster.stride(), raster.row(y));
    return imaging::codecs::encodeTga(raster);
}

std::vector<std::uint8_t> readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

bool writeBytes(const QString& path, std::span<const std::uint8_t> bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

} // namespace imaging_test

#include "library_fixture.h"

#include "resources/entry_bytes.h"
#include "resources/package_writer.h"

#include <QDir>
#include <QFile>
#include <span>

namespace resources_test {

QImage testPicture(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgba((x * 13 + seed * 40) % 256, (y * 7 + seed * 90) % 256, (seed * 31) % 256,
                                 (x + y + seed) % 4 == 0 ? 0 : 255));
    return image;
}

QByteArray rawList(const std::vector<QImage>& pictures, std::optional<std::int32_t> count) {
    std::vector<std::uint8_t> bytes;
    resources::appendInt32(bytes, count.value_or(static_cast<std::int32_t>(pictures.size())));
    for (const QImage& picture : pictures)
        resources::appendRawEntry(bytes, resources::rawPixelsOf(picture));
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QByteArray encodedList(const std::vector<QImage>& pictures, const std::vector<resources::PhotoHole>& holes,
                       std::optional<std::int32_t> count) {
    std::vector<std::uint8_t> bytes;
    resources::appendInt32(bytes, count.value_or(static_cast<std::int32_t>(pictures.size())));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::optional<resources::PhotoHole> hole =
            holes.empty() ? std::nullopt : std::optional<resources::PhotoHole>(holes[i]);
        resources::appendEncodedEntry(bytes, pictures[i].width(), pictures[i].height(), hole,
                                      resources::encodePng(pictures[i]));
    }
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

namespace {

// The CRC-32 of PNG chunks, bit by bit.
std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBig(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

} // namespace

std::vector<std::uint8_t> pngClaiming(int width, int height) {
    std::vector<std::uint8_t> png = resources::encodePng(testPicture(16, 16, 1));
    putBig(png, 16, static_cast<std::uint32_t>(width));
    putBig(png, 20, static_cast<std::uint32_t>(height));
    putBig(png, 29, crc32(std::span(png).subspan(12, 17))); // over "IHDR" and its 13 bytes
    return png;
}

std::vector<std::uint8_t> damagedPng(const QImage& picture) {
    std::vector<std::uint8_t> png = resources::encodePng(picture);
    // The middle of the file lies in the compressed pixels, far behind the 33 bytes of signature and header.
    for (std::size_t i = png.size() / 2; i < png.size() / 2 + 32; ++i)
        png[i] ^= 0x5A;
    return png;
}

LibraryTest::LibraryTest() : folders_(root_.path()) {}

void LibraryTest::writeData(const QString& name, const QByteArray& bytes) const {
    QFile file(dataPath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray LibraryTest::readData(const QString& name) const {
    QFile file(dataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool LibraryTest::dataExists(const QString& name) const {
    return QFile::exists(dataPath(name));
}

QString LibraryTest::writePackage(const QString& name, const std::vector<std::uint8_t>& bytes) const {
    QDir(root_.path()).mkpath(QStringLiteral("packages"));
    const QString path = root_.path() + QStringLiteral("/packages/") + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

} // namespace resources_test

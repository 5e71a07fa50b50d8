#include "library_fixture.h"

#include "resources/entry_bytes.h"
#include "resources/package_writer.h"

#include <QDir>
#include <QFile>

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

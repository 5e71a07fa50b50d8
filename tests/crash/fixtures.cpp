#include "fixtures.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace crash {

void fail(const QString& what) {
    std::fprintf(stderr, "crash_safety: %s\n", qPrintable(what));
    std::exit(2);
}

QByteArray readBytes(const QString& path, bool* exists) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (exists)
        *exists = opened;
    return opened ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        fail(QStringLiteral("cannot write %1").arg(path));
}

void wipe(const QString& folder) {
    QDir dir(folder);
    if ((dir.exists() && !dir.removeRecursively()) || !QDir().mkpath(folder))
        fail(QStringLiteral("cannot empty %1").arg(folder));
}

void copyFolder(const QString& from, const QString& to) {
    wipe(to);
    for (const QString& name : filesIn(from))
        writeBytes(to + QLatin1Char('/') + name, readBytes(from + QLatin1Char('/') + name));
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList othersIn(const QString& folder, const QStringList& expected) {
    QStringList others;
    for (const QString& name : filesIn(folder))
        if (!expected.contains(name))
            others << name;
    return others;
}

imaging::PhotoBuffer patternPhoto(int width, int height, int seed) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(photo.stride() * static_cast<std::size_t>(height));
    std::mt19937 noise(static_cast<std::uint32_t>(seed));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = photo.row(y);
        for (int x = 0; x < width; ++x) {
            const auto grain = static_cast<int>(noise() % 24);
            row[x * 3] = static_cast<std::uint8_t>((x * 255 / width + seed * 40 + grain) & 0xFF);
            row[x * 3 + 1] = static_cast<std::uint8_t>((y * 255 / height + seed * 90 + grain) & 0xFF);
            row[x * 3 + 2] = static_cast<std::uint8_t>(((x + y) * 128 / (width + height) + seed * 17) & 0xFF);
        }
    }
    return photo;
}

} // namespace crash

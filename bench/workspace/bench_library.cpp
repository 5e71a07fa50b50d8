#include "bench_library.h"

#include "resources/entry_bytes.h"
#include "resources/package_writer.h"
#include "resources/resource_types.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

namespace files = resources::files;

QImage framePicture() {
    QImage frame(1200, 900, QImage::Format_ARGB32);
    frame.fill(qRgba(120, 80, 40, 255));
    QPainter painter(&frame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(180, 135, 840, 630), Qt::transparent);
    return frame;
}

QImage maskPicture() {
    QImage mask(1024, 768, QImage::Format_ARGB32);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const double d = std::hypot(x - 512.0, y - 384.0) / 480.0;
            const int grey = std::clamp(static_cast<int>(d * d * 255), 0, 255);
            mask.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return mask;
}

QImage clipartPicture(int seed) {
    QImage clipart(180 + seed % 5 * 10, 180, QImage::Format_ARGB32);
    clipart.fill(Qt::transparent);
    QPainter painter(&clipart);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromHsv(seed * 37 % 360, 200, 230));
    painter.drawEllipse(clipart.rect().adjusted(8, 8, -8, -8));
    return clipart;
}

QImage decorationPicture() {
    QImage decoration(1600, 1200, QImage::Format_ARGB32);
    decoration.fill(Qt::transparent);
    QPainter painter(&decoration);
    painter.setPen(QPen(QColor(200, 30, 90, 220), 40));
    painter.drawRect(decoration.rect().adjusted(20, 20, -20, -20));
    return decoration;
}

QImage tipPicture() {
    QImage tip(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double d = std::hypot(x - 31.5, y - 31.5) / 32;
            tip.setPixel(x, y, qRgba(0, 0, 0, std::clamp(static_cast<int>((1 - d) * 255), 0, 255)));
        }
    return tip;
}

void writeList(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::vector<std::uint8_t> encodedList(const QImage& picture, std::optional<resources::PhotoHole> hole) {
    std::vector<std::uint8_t> bytes;
    resources::appendInt32(bytes, 1);
    resources::appendEncodedEntry(bytes, picture.width(), picture.height(), hole,
                                  resources::encodePng(picture));
    return bytes;
}

} // namespace

void writeBenchLibrary(const QString& dataFolder) {
    writeList(dataFolder + files::kFrames,
              encodedList(framePicture(), resources::PhotoHole{0.15f, 0.15f, 0.85f, 0.85f}));
    writeList(dataFolder + files::kMasks, encodedList(maskPicture(), std::nullopt));
    writeList(dataFolder + files::kDecorations, encodedList(decorationPicture(), std::nullopt));
    std::vector<std::uint8_t> cliparts;
    resources::appendInt32(cliparts, 20);
    for (int i = 0; i < 20; ++i)
        resources::appendRawEntry(cliparts, resources::rawPixelsOf(clipartPicture(i)));
    writeList(dataFolder + files::kCliparts, cliparts);
}

QImage benchBrushTip() {
    return tipPicture();
}

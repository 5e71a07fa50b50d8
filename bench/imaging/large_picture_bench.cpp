// Importing (size probe and thumbnail), opening and batch-loading pictures larger than the photo cap:
// 4000 × 3000 PNG (read by the drawing library) and TGA (read by the image library), and a tiny RLE
// bitmap that announces 6000 × 6000 pixels; opening a 6000 × 4000 camera JPEG.

#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

using namespace imaging;

QImage largePicture() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 4000, 3000);
    gradient.setColorAt(0, QColor(30, 90, 200));
    gradient.setColorAt(1, QColor(240, 180, 60));
    painter.fillRect(image.rect(), gradient);
    return image;
}

// An uncompressed true-colour TGA, rows bottom first.
QByteArray tgaOf(const QImage& image) {
    QByteArray bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = static_cast<char>(image.width() & 0xFF);
    bytes[13] = static_cast<char>(image.width() >> 8);
    bytes[14] = static_cast<char>(image.height() & 0xFF);
    bytes[15] = static_cast<char>(image.height() >> 8);
    bytes[16] = 24;
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    for (int y = bgr.height() - 1; y >= 0; --y)
        bytes.append(reinterpret_cast<const char*>(bgr.constScanLine(y)), bgr.width() * 3);
    return bytes;
}

// Two coloured runs, then the end of the bitmap: the rest is the first palette colour.
QByteArray announcingRleBitmap(int side) {
    auto le = [](QByteArray& bytes, quint32 value, int count) {
        for (int i = 0; i < count; ++i)
            bytes.append(static_cast<char>(value >> (8 * i)));
    };
    const QByteArray rle("\xC8\x01\xC8\x02\x00\x00\x00\x01", 8);
    QByteArray bytes("BM");
    const quint32 offset = 14 + 40 + 12;
    le(bytes, offset + static_cast<quint32>(rle.size()), 4);
    le(bytes, 0, 4);
    le(bytes, offset, 4);
    for (const quint32 field : {40u, static_cast<quint32>(side), static_cast<quint32>(side)})
        le(bytes, field, 4);
    le(bytes, 1, 2);
    le(bytes, 8, 2);
    le(bytes, 1, 4); // RLE8
    for (int i = 0; i < 3; ++i)
        le(bytes, 0, 4);
    le(bytes, 3, 4);
    le(bytes, 0, 4);
    for (const quint32 colour : {0x00306090u, 0x00FF0000u, 0x0000FF00u})
        le(bytes, colour, 4);
    return bytes + rle;
}

struct Pictures {
    QTemporaryDir folder;
    QString png, tga, bmp;

    Pictures() {
        const QImage image = largePicture();
        png = folder.filePath(QStringLiteral("large.png"));
        image.save(png, "png", 90);
        tga = folder.filePath(QStringLiteral("large.tga"));
        bmp = folder.filePath(QStringLiteral("announcing.bmp"));
        for (const auto& [path, bytes] :
             {std::pair{tga, tgaOf(image)}, std::pair{bmp, announcingRleBitmap(6000)}}) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
    }
    const QString& path(int which) const { return which == 0 ? png : which == 1 ? tga : bmp; }
};

Pictures& pictures() {
    static Pictures instance;
    return instance;
}

void BM_ImportLargePicture(benchmark::State& state) {
    const QString& path = pictures().path(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int width = 0, height = 0;
        if (!ProbePictureSize(path, width, height) || !MakeThumbnailJpeg(path).ok())
            state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportLargePicture)
    ->ArgName("png0_tga1_rlebmp2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

void BM_OpenLargePicture(benchmark::State& state) {
    const QString& path = pictures().path(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LoadedPicture loaded;
        if (!LoadPhoto(path, loaded))
            state.SkipWithError("LoadPhoto failed");
        benchmark::DoNotOptimize(loaded.photo.bgr.data());
    }
}
BENCHMARK(BM_OpenLargePicture)->ArgName("png0_tga1_rlebmp2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// A camera-sized photo: 6000 × 4000 JPEG of smooth fields, hard-edged shapes and grain, as a camera's
// detail costs the decoder.
QString cameraJpeg() {
    static QTemporaryDir folder;
    static const QString path = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient sky(0, 0, 0, 4000);
        sky.setColorAt(0, QColor(90, 140, 210));
        sky.setColorAt(1, QColor(230, 200, 160));
        painter.fillRect(image.rect(), sky);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 80; ++i) {
            painter.setBrush(QColor::fromHsv(i * 37 % 360, 160, 200));
            painter.drawEllipse(QPoint(i * 733 % 6000, i * 421 % 4000), 60 + i * 7 % 600, 60 + i * 11 % 450);
        }
        painter.end();
        std::uint32_t noise = 1;
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                noise = noise * 1664525u + 1013904223u;
                const int grain = static_cast<int>(noise >> 28) - 8;
                const QRgb p = row[x];
                row[x] = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                              std::clamp(qBlue(p) + grain, 0, 255));
            }
        }
        const QString file = folder.filePath(QStringLiteral("camera.jpg"));
        image.save(file, "jpeg", 90);
        return file;
    }();
    return path;
}

void BM_OpenCameraJpeg(benchmark::State& state) {
    const QString path = cameraJpeg();
    for (auto _ : state) {
        LoadedPicture loaded;
        if (!LoadPhoto(path, loaded))
            state.SkipWithError("LoadPhoto failed");
        benchmark::DoNotOptimize(loaded.photo.bgr.data());
    }
}
BENCHMARK(BM_OpenCameraJpeg)->Unit(benchmark::kMillisecond);

// The batch converter's load: the picture at its own size.
void BM_BatchLoadLargePicture(benchmark::State& state) {
    const QString& path = pictures().path(static_cast<int>(state.range(0)));
    std::vector<std::uint8_t> pixels(std::size_t{4000} * 3000 * 3);
    for (auto _ : state) {
        if (!LoadPictureScaled(path, pixels.data(), 4000, 3000, ScaledLayout::Batch))
            state.SkipWithError("LoadPictureScaled failed");
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_BatchLoadLargePicture)->ArgName("png0_tga1")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

// Loading, thumbnails, saving, filters and the colour tool on 1600 × 1200 photos.
//
// The photos are the *.jpg files of the folder named by PICTOVANCE_BENCH_PHOTOS (compare_peers.sh makes
// them, so the peers time the very same files); without it one synthetic photo is made here.

#include "imaging/colour/colour_transform.h"
#include "imaging/filters/image_commands.h"
#include "imaging/image_holder.h"
#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace imaging;

// A photo-like picture: smooth colour fields, shapes with hard edges and a little grain.
QImage syntheticPhoto() {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1200);
    sky.setColorAt(0, QColor(90, 140, 210));
    sky.setColorAt(1, QColor(230, 200, 160));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(7);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(
            QColor::fromHsv(random.bounded(360), 120 + random.bounded(100), 80 + random.bounded(170)));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(random.bounded(1600), random.bounded(1200)), 20 + random.bounded(200),
                            20 + random.bounded(150));
    }
    painter.end();
    for (int y = 0; y < 1200; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < 1600; ++x) {
            const int grain = random.bounded(13) - 6;
            const QRgb p = row[x];
            row[x] = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                          std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

struct Photos {
    QTemporaryDir scratch;
    QStringList paths;
    PhotoBuffer decoded; // the first photo, decoded once for the save and filter benchmarks

    Photos() {
        const QString folder = qEnvironmentVariable("PICTOVANCE_BENCH_PHOTOS");
        if (!folder.isEmpty()) {
            for (const QString& name :
                 QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
                paths << QDir(folder).filePath(name);
        }
        if (paths.isEmpty()) {
            paths << scratch.filePath(QStringLiteral("photo.jpg"));
            syntheticPhoto().save(paths.front(), "jpeg", 90);
        }
        LoadedPicture loaded;
        if (LoadPhoto(paths.front(), loaded))
            decoded = std::move(loaded.photo);
    }
};

Photos& photos() {
    static Photos instance;
    return instance;
}

void BM_LoadPhoto(benchmark::State& state) {
    const QStringList& paths = photos().paths;
    qsizetype next = 0;
    for (auto _ : state) {
        LoadedPicture loaded;
        if (!LoadPhoto(paths[next++ % paths.size()], loaded))
            state.SkipWithError("LoadPhoto failed");
        benchmark::DoNotOptimize(loaded.photo.bgr.data());
    }
}
BENCHMARK(BM_LoadPhoto)->Unit(benchmark::kMillisecond);

void BM_MakeThumbnailJpeg(benchmark::State& state) {
    const QStringList& paths = photos().paths;
    qsizetype next = 0;
    for (auto _ : state) {
        const CompressedJpeg thumbnail = MakeThumbnailJpeg(paths[next++ % paths.size()]);
        if (!thumbnail.ok())
            state.SkipWithError("MakeThumbnailJpeg failed");
        benchmark::DoNotOptimize(thumbnail.bytes.data());
    }
}
BENCHMARK(BM_MakeThumbnailJpeg)->Unit(benchmark::kMillisecond);

void BM_SavePicture(benchmark::State& state, const char* extension) {
    const PhotoBuffer& photo = photos().decoded;
    QTemporaryDir folder;
    const QString dataFolder = folder.path() + QLatin1Char('/');
    const QString path = folder.filePath(QStringLiteral("saved.") + QLatin1String(extension));
    for (auto _ : state) {
        if (!SavePicture(path, photo.bgr.data(), photo.width, photo.height, QLatin1String(extension),
                         dataFolder))
            state.SkipWithError("SavePicture failed");
    }
}
BENCHMARK_CAPTURE(BM_SavePicture, jpg, "jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, bmp, "bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, gif, "gif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, pnm, "pnm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, tga, "tga")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, tif, "tif")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SavePicture, pcx, "pcx")->Unit(benchmark::kMillisecond);

// The filter alone, run again and again on the same picture (its cost does not depend on the content).
void BM_Filter(benchmark::State& state, int operationCode) {
    const PhotoBuffer& photo = photos().decoded;
    ImageHolder holder;
    if (!holder.FromBuffer(photo.bgr.data(), photo.width, photo.height)) {
        state.SkipWithError("no picture");
        return;
    }
    for (auto _ : state) {
        RunImageCommand(*holder.Image(), operationCode);
        benchmark::DoNotOptimize(holder.Image()->GetBits(0));
    }
}
BENCHMARK_CAPTURE(BM_Filter, Soften, kCommandSoften)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Sharpen, kCommandSharpen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, LinearEdge, kCommandLinearEdge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Emboss, kCommandEmboss)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Blur, kCommandBlur)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Gaussian3, kCommandGaussian3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Gaussian5, kCommandGaussian5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Erode, kCommandErode)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Dilate, kCommandDilate)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Noise, kCommandNoise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Edge, kCommandEdge)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Jitter, kCommandJitter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Median, kCommandMedian)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Filter, Contour, kCommandContour)->Unit(benchmark::kMillisecond);

// The colour tool on the whole photo, as flattening and export run it: the transform is built afresh
// each time, as each slider movement does.
void BM_ColourAdjust(benchmark::State& state, ColourSliderPositions positions) {
    const PhotoBuffer& photo = photos().decoded;
    std::vector<std::uint8_t> adjusted(photo.bgr.size());
    for (auto _ : state) {
        const ColourTransform transform(colourAdjustmentFromPositions(positions));
        transform.apply(photo.bgr.data(), photo.stride(), adjusted.data(), photo.stride(), photo.width,
                        photo.height, 3);
        benchmark::DoNotOptimize(adjusted.data());
    }
}
// All six values away from their defaults.
BENCHMARK_CAPTURE(BM_ColourAdjust, AllSix, ColourSliderPositions{150, 110, 160, 20000, 130, 21000})
    ->Unit(benchmark::kMillisecond);
// Contrast, brightness and gamma only: no channel mixes into another.
BENCHMARK_CAPTURE(BM_ColourAdjust, PerChannel, ColourSliderPositions{150, 110, 100, 18000, 130, 18000})
    ->Unit(benchmark::kMillisecond);

// What a slider movement redraws on screen: the photo's view in a 1280 × 800 window (4-byte pixels).
void BM_ColourAdjustView(benchmark::State& state) {
    QImage view = QImage(photos().paths.front()).scaled(876, 657).convertToFormat(QImage::Format_RGB32);
    QImage adjusted(view.size(), QImage::Format_RGB32);
    int hue = 20000;
    for (auto _ : state) {
        hue = hue == 20000 ? 20100 : 20000; // a new value each time, as while dragging
        const ColourTransform transform(colourAdjustmentFromPositions({150, 110, 160, hue, 130, 21000}));
        transform.apply(view.constBits(), static_cast<std::size_t>(view.bytesPerLine()), adjusted.bits(),
                        static_cast<std::size_t>(adjusted.bytesPerLine()), view.width(), view.height(), 4);
        benchmark::DoNotOptimize(adjusted.bits());
    }
}
BENCHMARK(BM_ColourAdjustView)->Unit(benchmark::kMillisecond);

} // namespace

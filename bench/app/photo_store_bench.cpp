// The photo list's costs: what the window does per imported photo, and reading and writing a large store.
#include "app/photos/photo_list_store.h"
#include "imaging/files/jpeg_thumbnail.h"
#include "imaging/files/photo_loading.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString makePhoto(const QTemporaryDir& folder) {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1200);
    sky.setColorAt(0, QColor(40, 120, 220));
    sky.setColorAt(1, QColor(200, 220, 120));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(255, 220, 120));
    painter.drawEllipse(1100, 150, 250, 250);
    painter.end();
    const QString path = folder.filePath("photo.jpg");
    image.save(path, "JPEG", 90);
    return path;
}

// The window's share of importing one photo: the size probe and the 80 × 80 thumbnail.
void BM_ImportOnePhoto(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = makePhoto(folder);
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        benchmark::DoNotOptimize(imaging::ProbePictureSize(path, width, height));
        benchmark::DoNotOptimize(imaging::MakeThumbnailJpeg(path));
    }
}
BENCHMARK(BM_ImportOnePhoto)->Unit(benchmark::kMillisecond);

app::PhotoList storeOf(int entries) {
    app::PhotoList list;
    QImage thumb(80, 80, QImage::Format_RGB32);
    thumb.fill(QColor(90, 140, 200));
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        thumb.save(&buffer, "JPEG", 75);
    }
    for (int i = 0; i < entries; ++i) {
        app::PhotoRecord record;
        app::setRecordPath(record, QStringLiteral("/home/someone/Pictures/holiday/photo_%1.jpg").arg(i),
                           false);
        record.listIndex = i;
        record.width = 1600;
        record.height = 1200;
        list.records.push_back(record);
        list.thumbs.push_back({jpeg});
    }
    return list;
}

void BM_LoadStore(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("ZorvathMedia");
    app::savePhotoListStore(path, storeOf(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(app::loadPhotoListStore(path));
}
BENCHMARK(BM_LoadStore)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_SaveStore(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("ZorvathMedia");
    const app::PhotoList list = storeOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(app::savePhotoListStore(path, list));
}
BENCHMARK(BM_SaveStore)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

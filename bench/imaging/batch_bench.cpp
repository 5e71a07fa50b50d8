// The batch converter: 800 × 600 JPEG photos to PNG, one file, and a list on one or two workers.

#include "imaging/batch_convert.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace imaging;

constexpr int kFiles = 20;

// Photo-like: a gradient, shapes with hard edges and grain, different for every seed.
QImage photo(int seed) {
    QImage image(800, 600, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(seed));
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 600);
    sky.setColorAt(0, QColor::fromHsv(random.bounded(360), 120, 210));
    sky.setColorAt(1, QColor(230, 200, 160));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 30; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), 140, 80 + random.bounded(170)));
        painter.drawEllipse(QPoint(random.bounded(800), random.bounded(600)), 10 + random.bounded(100),
                            10 + random.bounded(80));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = random.bounded(13) - 6;
            const QRgb p = row[x];
            row[x] = qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                          std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

struct Job {
    QTemporaryDir scratch;
    BatchJob job;

    Job() {
        const QString folder = scratch.path() + QLatin1Char('/');
        QDir().mkpath(folder + QStringLiteral("out"));
        QDir().mkpath(folder + QStringLiteral("Data"));
        for (int i = 0; i < kFiles; ++i) {
            job.files << folder + QStringLiteral("photo%1.jpg").arg(i);
            photo(i).save(job.files.back(), "JPEG", 90);
        }
        job.outputFolder = folder + QStringLiteral("out/");
        job.format = QStringLiteral("png");
        job.dataFolder = folder + QStringLiteral("Data/");
    }
};

Job& sharedJob() {
    static Job job;
    return job;
}

void BM_ConvertOneJpegToPng(benchmark::State& state) {
    const BatchJob& job = sharedJob().job;
    const QString target = job.outputFolder + QStringLiteral("one.png");
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertPictureFile(job.files.front(), target, job.format, job.dataFolder));
}
BENCHMARK(BM_ConvertOneJpegToPng)->Unit(benchmark::kMillisecond);

// Wall time per file of a whole list on N workers.
void BM_BatchJpegToPng(benchmark::State& state) {
    const BatchJob& job = sharedJob().job;
    const BatchOptions options{static_cast<int>(state.range(0)), {}, nullptr};
    for (auto _ : state)
        RunBatch(job, options,
                 [](const BatchFileReport& file) { benchmark::DoNotOptimize(file.outcome.ok); });
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_BatchJpegToPng)
    ->ArgName("workers")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

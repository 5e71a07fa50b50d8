// A recipe's cost per photo against the converter's alone: a 1600 × 1200 JPEG in, a JPEG out. The photos
// are the *.jpg files of the folder named by PICTOVANCE_BENCH_PHOTOS (bench/imaging/make_photos.py makes
// them); without it one synthetic photo is made here. CPU time is the whole process's: Qt converts and
// scales large pictures on threads of its own.
#include "../workspace/bench_library.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "recipe/recipe_batch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

// Five texts in five styles, sizes and places, as a watermark-and-caption recipe would have them.
constexpr const char* kFiveTexts = R"({"recipe": 1, "export": {"format": "jpg"}, "steps": [
    {"op": "text", "text": "Happy Holidays 2026", "face": "DejaVu Sans", "height": 96, "style": 4, "at": [80, 60]},
    {"op": "text", "text": "Lake Bled", "face": "DejaVu Serif", "height": 72, "style": 0, "at": [900, 200]},
    {"op": "text", "text": "Day 3", "face": "DejaVu Sans", "height": 60, "style": 2, "at": [120, 900]},
    {"op": "text", "text": "with love", "face": "Liberation Serif", "height": 80, "style": 6, "at": [700, 1000]},
    {"op": "text", "text": "© Family", "face": "DejaVu Sans", "height": 40, "style": 7,
     "transparency": 0.4, "at": [1300, 1120]}]})";

// A frame and two captions: what a typical decorating recipe does to each photo.
constexpr const char* kFrameTwoTexts = R"({"recipe": 1, "export": {"format": "jpg"}, "steps": [
    {"op": "frame", "index": 0},
    {"op": "text", "text": "Summer 2026", "face": "DejaVu Serif", "height": 72, "style": 4, "at": [60, 40]},
    {"op": "text", "text": "Lake Bled", "face": "DejaVu Sans", "height": 48, "style": 2, "at": [900, 1000]}]})";

QImage syntheticPhoto() {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1200);
    sky.setColorAt(0, QColor(90, 140, 210));
    sky.setColorAt(1, QColor(230, 200, 160));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor((i * 53) % 256, (i * 97) % 256, (i * 31) % 256));
        painter.drawEllipse(QPoint((i * 397) % 1600, (i * 211) % 1200), 40 + i * 3, 30 + i * 2);
    }
    return image;
}

struct Bench {
    QTemporaryDir folder;
    QStringList photos;
    recipe::Recipe fiveTexts;
    recipe::Recipe noSteps;
    recipe::Recipe frameTwoTexts;
    recipe::RunSettings settings = recipe::findRunSettings();
    // The same, reading the benchmark library of this folder.
    recipe::RunSettings librarySettings;

    Bench() {
        const QString given = qEnvironmentVariable("PICTOVANCE_BENCH_PHOTOS");
        if (!given.isEmpty())
            for (const QString& name :
                 QDir(given).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
                photos << QDir(given).filePath(name);
        if (photos.isEmpty()) {
            photos << folder.filePath(QStringLiteral("photo.jpg"));
            syntheticPhoto().save(photos.front(), "jpeg", 90);
        }
        fiveTexts = *recipe::readRecipe(kFiveTexts).recipe;
        noSteps = *recipe::readRecipe(R"({"recipe": 1, "steps": []})").recipe;
        frameTwoTexts = *recipe::readRecipe(kFrameTwoTexts).recipe;
        QDir(folder.path()).mkpath(QStringLiteral("scratch"));
        const platform::Folders folders(folder.path());
        writeBenchLibrary(folders.GetDataFolder());
        librarySettings = {settings.defaultFace, recipe::openRecipeLibrary(folders)};
    }

    QString scratch() const { return folder.filePath(QStringLiteral("scratch")); }
    QString target(int i) const { return folder.filePath(QStringLiteral("out%1.jpg").arg(i)); }
};

Bench& bench() {
    static Bench instance;
    return instance;
}

// What the converter does with each file: probe, load at the picture's own size, save.
imaging::Outcome convertOne(const QString& photo, const QString& target, const QString& scratch) {
    int width = 0;
    int height = 0;
    imaging::ProbePictureSize(photo, width, height);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
    imaging::LoadPictureScaled(photo, pixels.data(), width, height, imaging::ScaledLayout::Batch);
    return imaging::SavePicture(target, pixels.data(), width, height, QStringLiteral("jpg"),
                                scratch + QLatin1Char('/'));
}

void BM_ConverterAlone(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state)
        if (!convertOne(b.photos.front(), b.target(0), b.scratch()))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_ConverterAlone)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The process's CPU time in nanoseconds, Qt's own threads included.
qint64 processCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// The pair in turn on the same photo, each timed alone: "ratio" is the recipe's wall time over the
// converter's, "cpu_ratio" the same for CPU time, which other programs on a busy machine disturb less.
void BM_FrameTwoTextsAgainstConverter(benchmark::State& state) {
    Bench& b = bench();
    const recipe::PhotoTask task{b.photos.front(), b.target(1), QStringLiteral("jpg")};
    qint64 converter[2] = {0, 0}; // wall, CPU
    qint64 recipe[2] = {0, 0};
    QElapsedTimer timer;
    for (auto _ : state) {
        qint64 cpu = processCpuTime();
        timer.start();
        if (!convertOne(b.photos.front(), b.target(0), b.scratch()))
            state.SkipWithError("save failed");
        converter[0] += timer.nsecsElapsed();
        converter[1] += processCpuTime() - cpu;
        cpu = processCpuTime();
        timer.start();
        if (!recipe::runRecipeOnPhoto(b.frameTwoTexts, b.librarySettings, task, b.scratch()))
            state.SkipWithError("recipe failed");
        recipe[0] += timer.nsecsElapsed();
        recipe[1] += processCpuTime() - cpu;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["converter_ms"] = static_cast<double>(converter[0]) / 1e6 / runs;
    state.counters["recipe_ms"] = static_cast<double>(recipe[0]) / 1e6 / runs;
    state.counters["ratio"] =
        static_cast<double>(recipe[0]) / static_cast<double>(std::max<qint64>(1, converter[0]));
    state.counters["cpu_ratio"] =
        static_cast<double>(recipe[1]) / static_cast<double>(std::max<qint64>(1, converter[1]));
}
BENCHMARK(BM_FrameTwoTextsAgainstConverter)->UseRealTime()->Unit(benchmark::kMillisecond);

void runOne(benchmark::State& state, const recipe::Recipe& recipe) {
    Bench& b = bench();
    const recipe::PhotoTask task{b.photos.front(), b.target(0), QStringLiteral("jpg")};
    for (auto _ : state)
        if (!recipe::runRecipeOnPhoto(recipe, b.settings, task, b.scratch()))
            state.SkipWithError("recipe failed");
}

// Opening the photo in a document and exporting it as the editor does, with no edits.
void BM_RecipeNoSteps(benchmark::State& state) {
    runOne(state, bench().noSteps);
}
BENCHMARK(BM_RecipeNoSteps)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_RecipeFiveTexts(benchmark::State& state) {
    runOne(state, bench().fiveTexts);
}
BENCHMARK(BM_RecipeFiveTexts)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// Eight photos on one or two workers: wall time, as a user waits for it.
void BM_RecipeBatch(benchmark::State& state) {
    Bench& b = bench();
    std::vector<recipe::BatchPhoto> photos;
    for (int i = 0; i < 8; ++i)
        photos.push_back({{b.photos[i % b.photos.size()], b.target(i), QStringLiteral("jpg")}, {}});
    for (auto _ : state) {
        const recipe::BatchSummary summary = recipe::runRecipeBatch(
            b.fiveTexts, b.settings, photos, b.scratch(), static_cast<int>(state.range(0)),
            [](const recipe::BatchPhoto&, const imaging::Outcome&) {});
        if (summary.skipped != 0)
            state.SkipWithError("a photo failed");
    }
    state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_RecipeBatch)
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

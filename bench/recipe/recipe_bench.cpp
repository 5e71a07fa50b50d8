// A recipe's cost per photo against the converter's alone: a 1600 × 1200 JPEG in, a JPEG out. The photos
// are the *.jpg files of the folder named by PICTOVANCE_BENCH_PHOTOS (bench/imaging/make_photos.py makes
// them); without it one synthetic photo is made here. CPU time is the whole process's: Qt converts and
// scales large pictures on threads of its own.
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "recipe/recipe_batch.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Five texts in five styles, sizes and places, as a watermark-and-caption recipe would have them.
constexpr const char* kFiveTexts = R"({"recipe": 1, "export": {"format": "jpg"}, "steps": [
    {"op": "text", "text": "Happy Holidays 2026", "face": "DejaVu Sans", "height": 96, "style": 4, "at": [80, 60]},
    {"op": "text", "text": "Lake Bled", "face": "DejaVu Serif", "height": 72, "style": 0, "at": [900, 200]},
    {"op": "text", "text": "Day 3", "face": "DejaVu Sans", "height": 60, "style": 2, "at": [120, 900]},
    {"op": "text", "text": "with love", "face": "Liberation Serif", "height": 80, "style": 6, "at": [700, 1000]},
    {"op": "text", "text": "© Family", "face": "DejaVu Sans", "height": 40, "style": 7,
     "transparency": 0.4, "at": [1300, 1120]}]})";

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
    recipe::RunSettings settings = recipe::findRunSettings();

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
        QDir(folder.path()).mkpath(QStringLiteral("scratch"));
    }

    QString scratch() const { return folder.filePath(QStringLiteral("scratch")); }
    QString target(int i) const { return folder.filePath(QStringLiteral("out%1.jpg").arg(i)); }
};

Bench& bench() {
    static Bench instance;
    return instance;
}

// What the converter does with each file: probe, load at the picture's own size, save.
void BM_ConverterAlone(benchmark::State& state) {
    Bench& b = bench();
    const QString& photo = b.photos.front();
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        imaging::ProbePictureSize(photo, width, height);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * 3 *
                                         static_cast<std::size_t>(height));
        imaging::LoadPictureScaled(photo, pixels.data(), width, height, imaging::ScaledLayout::Batch);
        if (!imaging::SavePicture(b.target(0), pixels.data(), width, height, QStringLiteral("jpg"),
                                  b.scratch() + QLatin1Char('/')))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_ConverterAlone)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

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

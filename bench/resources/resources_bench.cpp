// The resource library at the sizes a grown library reaches: reading one entry of a 500-entry file (as
// the composer does at every composition), importing a 50-frame package, and painting a scrolled list
// of 500 cliparts.
#include "platform/scripted_dialogs.h"
#include "resources/entry_bytes.h"
#include "resources/package_importer.h"
#include "resources/package_writer.h"
#include "resources/resource_library.h"
#include "resources/widgets/resource_list.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace resources;

// A clipart-like picture: a soft coloured disc on transparency.
QImage sticker(int side, int seed) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(side / 2.0, side / 2.0, side / 2.0);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 200, 250));
    gradient.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 220, 120, 0));
    painter.setBrush(gradient);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(image.rect());
    return image;
}

// A frame picture: a textured border around a transparent hole.
QImage framePicture(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor::fromHsv(seed * 29 % 360, 120, 200));
    gradient.setColorAt(1, QColor::fromHsv(seed * 53 % 360, 160, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(QRect(width / 8, height / 8, width * 3 / 4, height * 3 / 4), Qt::transparent);
    return image;
}

void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

struct Library {
    QTemporaryDir root;
    platform::Folders folders{root.path()};
    ResourceLibrary library{folders};

    // 500 cliparts of 96 × 96 and 500 encoded frames of 320 × 240 (PNG).
    Library() {
        std::vector<std::uint8_t> cliparts;
        std::vector<std::uint8_t> frames;
        appendInt32(cliparts, 500);
        appendInt32(frames, 500);
        const std::vector<std::uint8_t> png = encodePng(framePicture(320, 240, 1));
        for (int i = 0; i < 500; ++i) {
            appendRawEntry(cliparts, rawPixelsOf(sticker(96, i)));
            appendEncodedEntry(frames, 320, 240, PhotoHole{0.125f, 0.125f, 0.875f, 0.875f}, png);
        }
        writeFile(folders.GetDataFolder() + files::kCliparts, cliparts);
        writeFile(folders.GetDataFolder() + files::kFrames, frames);
    }
};

// Entry 400 of a 500-entry raw file with the offset table kept from the previous read.
void BM_ReadRawEntry400(benchmark::State& state) {
    Library scene;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.library.ReadRawPicture(files::kCliparts, 400));
}
BENCHMARK(BM_ReadRawEntry400)->Unit(benchmark::kMicrosecond);

// The same when every read walks the 400 entries before it (the table forgotten each time).
void BM_ReadRawEntry400Walking(benchmark::State& state) {
    Library scene;
    for (auto _ : state) {
        scene.library.forgetOffsets();
        benchmark::DoNotOptimize(scene.library.ReadRawPicture(files::kCliparts, 400));
    }
}
BENCHMARK(BM_ReadRawEntry400Walking)->Unit(benchmark::kMicrosecond);

// Entry 400 of 500 encoded frames: header and hole, then the picture decoded.
void BM_ReadFrame400(benchmark::State& state) {
    Library scene;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.library.ReadEncodedPicture(files::kFrames, 400));
}
BENCHMARK(BM_ReadFrame400)->Unit(benchmark::kMicrosecond);

void BM_ReadFrameHeader400(benchmark::State& state) {
    Library scene;
    for (auto _ : state)
        benchmark::DoNotOptimize(scene.library.ReadEntryHeader(files::kFrames, 400));
}
BENCHMARK(BM_ReadFrameHeader400)->Unit(benchmark::kMicrosecond);

// A package of 50 frames of 1024 × 768 (PNG) imported into an empty library; the files are removed
// between runs, outside the timing.
void BM_ImportFramePackage50(benchmark::State& state) {
    QTemporaryDir root;
    const platform::Folders folders(root.path());
    PackageWriter writer(ResourceCategory::Frames);
    for (int i = 0; i < 50; ++i)
        writer.addPicture(framePicture(1024, 768, i), PhotoHole{0.125f, 0.125f, 0.875f, 0.875f});
    const QString package = root.filePath(QStringLiteral("frames.irs"));
    writer.save(package);
    state.counters["package MB"] = static_cast<double>(QFile(package).size()) / (1 << 20);
    for (auto _ : state) {
        const ImportResult result = ImportResourcePackage(folders, package);
        if (!result.imported())
            state.SkipWithError(result.reason.c_str());
        state.PauseTiming();
        QDir(folders.GetDataFolder()).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportFramePackage50)->Unit(benchmark::kMillisecond);

// 500 cliparts in a list as wide and high as the tool panels of a 1280 × 800 window.
struct ListScene {
    Library library;
    platform::ScriptedDialogs dialogs;
    QWidget parent;
    CResourceList list{lists::kCliparts, library.library, dialogs, &parent};

    ListScene() {
        list.setGeometry(0, 0, 1062, 134);
        list.reload();
    }
};

// Painting a list scrolled to the middle.
void BM_PaintScrolledClipartList(benchmark::State& state) {
    ListScene scene;
    platform::sendMessage(&scene.list, platform::UM_LISTSCROLL, 5, scene.list.grid().scrollRange() / 2);
    QPixmap target(scene.list.size());
    for (auto _ : state)
        scene.list.render(&target);
}
BENCHMARK(BM_PaintScrolledClipartList)->Unit(benchmark::kMicrosecond);

// A scroll-bar drag: a new position and a paint at every step, through the whole list.
void BM_ScrollAndPaintClipartList(benchmark::State& state) {
    ListScene scene;
    QPixmap target(scene.list.size());
    const int range = scene.list.grid().scrollRange();
    int position = 0;
    for (auto _ : state) {
        position = (position + 37) % (range + 1);
        platform::sendMessage(&scene.list, platform::UM_LISTSCROLL, 5, position);
        scene.list.render(&target);
    }
}
BENCHMARK(BM_ScrollAndPaintClipartList)->Unit(benchmark::kMicrosecond);

// Loading the 500 cliparts into the list (start-up and after an import).
void BM_LoadClipartList(benchmark::State& state) {
    ListScene scene;
    for (auto _ : state)
        scene.list.reload();
}
BENCHMARK(BM_LoadClipartList)->Unit(benchmark::kMillisecond);

} // namespace

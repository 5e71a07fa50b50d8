// A full-size export: a 6000 × 4000 camera photo, edited on its 1600 × 1066 working copy with a frame, a
// mask, 20 cliparts, 5 styled texts, a decoration, a 500-stamp brush stroke, one colour adjustment and one
// filter, then exported at 6000 × 4000 (the edits replayed on the original, the result written as JPEG).
#include "bench_library.h"
#include "imaging/filters/image_commands.h"
#include "imaging/files/jpeg_codec.h"
#include "imaging/files/photo_loading.h"
#include "imaging/files/save_picture.h"
#include "resources/resource_library.h"
#include "shown_document.h"
#include "workspace/full_size_result.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <sys/resource.h>

using namespace workspace;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

void writeCameraPhoto(const QString& path) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::mt19937 random(7);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * kWidth * 3;
        for (int x = 0; x < kWidth; ++x) {
            row[x * 3] = static_cast<std::uint8_t>(x / 27 + (random() & 15));
            row[x * 3 + 1] = static_cast<std::uint8_t>(y / 19 + (random() & 15));
            row[x * 3 + 2] = static_cast<std::uint8_t>((x + y) / 43);
        }
    }
    std::string reason;
    const std::vector<std::uint8_t> jpeg = imaging::encodeJpeg(pixels.data(), kWidth, kHeight, kWidth * 3,
                                                               imaging::JpegInput::Bgr, 90, reason);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
}

// The photo opened as the editor opens it and edited through the panels' operations, each flattening
// what lay before it as a user's edits do.
struct EditedCameraPhoto {
    QTemporaryDir folder;
    platform::Folders folders{folder.path()};
    resources::ResourceLibrary library{folders};
    ShownDocument listener;
    std::unique_ptr<WorkspaceDocument> document;
    QString photo = folder.filePath(QStringLiteral("camera.jpg"));

    EditedCameraPhoto() {
        writeBenchLibrary(folders.GetDataFolder());
        writeCameraPhoto(photo);
        document = std::make_unique<WorkspaceDocument>(folder.path(), listener, QSize(1280, 800), &library);
        WorkspaceDocument& d = *document;
        imaging::LoadedPicture loaded;
        imaging::LoadPhoto(photo, loaded);
        const QSize working(loaded.photo.width, loaded.photo.height);
        d.setLoadedPicture(std::move(loaded.photo), loaded.libraryDecoded, loaded.formatCode, photo);
        d.setOriginal(originalPictureOf(photo, loaded.sourceSize, working));
        d.keepLoadedPhoto();
        d.setBrushPictures({benchBrushTip()});

        d.SetBrush(0, true, 0, 230, 50, text::rgb(250, 200, 30));
        d.ButtonDown(200, 200);
        for (int i = 1; i < 500; ++i)
            d.StampStroke(200 + (i * 7) % 900, 150 + (i * 3) % 500);
        d.ButtonUp();
        d.PlaceMask(0);
        d.SetSelectedScale(-20);
        d.PlaceFrame(0);
        d.SetSelectedAngle(8);
        for (int i = 0; i < 20; ++i) {
            d.PlaceClipart(i, 150 + (i % 5) * 220, 120 + (i / 5) * 150);
            d.SetSelectedAngle(i * 17);
            d.SetSelectedScale(i * 9 - 90);
        }
        d.SetTool(ToolText);
        for (int i = 0; i < 5; ++i) {
            text::TextObject& style = d.textTemplate();
            style.font = text::makeLogFont(u"DejaVu Sans", 60 + 10 * i);
            style.style = i;
            style.colour = text::rgb(250, 60 * i, 20);
            style.secondColour = text::rgb(20, 80, 250);
            text::setText(style, u"Happy Holidays 2026");
            d.PlaceText(100 + 40 * i, 80 + 120 * i);
        }
        d.PlaceDecoration(0);
        d.SetColourAdjustment({1.15f, 0.04f, 1.2f, 0.0f, 0.95f, 0.0f});
        d.ApplyImageCommand(imaging::kCommandSoften);
    }
};

long peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void BM_FullSizeExport(benchmark::State& state) {
    EditedCameraPhoto scene;
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("export.jpg"));
    for (auto _ : state) {
        const FullSizeResult result = renderFullSize(*scene.document, false, out.path());
        if (!result.pixels) {
            state.SkipWithError("no full-size result");
            break;
        }
        imaging::SavePicture(target, result.pixels->bgr.data(), result.pixels->width, result.pixels->height,
                             QStringLiteral("jpg"), out.path() + QLatin1Char('/'));
    }
    state.counters["peak_MB"] = static_cast<double>(peakResidentMegabytes());
    state.counters["operations"] = static_cast<double>(scene.document->history().operations().size());
}
BENCHMARK(BM_FullSizeExport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

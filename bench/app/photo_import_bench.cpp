// Importing a card full of camera photos into the photo list: 200 JPEGs of 4000 × 3000, through the
// main window's own import, with 1 or 2 threads making the thumbnails.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "platform/scripted_dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

constexpr int kPhotos = 200;
constexpr int kDistinctPhotos = 4;

// A sky, a ground and a grain as a camera's sensor leaves it, so the file holds as much detail as a
// photo's (about 3 MB at quality 90) and its decoding costs what a photo's does.
QImage cameraPhoto(int seed) {
    QImage image(4000, 3000, QImage::Format_RGB32);
    std::mt19937 grain(static_cast<unsigned>(seed));
    std::uniform_int_distribution<int> noise(-10, 10);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const bool sky = y < 1400 + seed * 100;
        for (int x = 0; x < image.width(); ++x) {
            const int n = noise(grain);
            const int r = sky ? 60 + y / 20 : 90 + (x * 3 + y) % 60;
            const int g = sky ? 120 + y / 25 : 110 + (x ^ y) % 50;
            const int b = sky ? 220 - y / 30 : 60 + x % 40;
            row[x] = qRgb(std::clamp(r + n, 0, 255), std::clamp(g + n, 0, 255), std::clamp(b + n, 0, 255));
        }
    }
    return image;
}

// The photos, made once for the whole program: a few pictures, each under many names (hard links: a
// path of its own for the import, and no disk space spent).
struct CameraCard {
    QTemporaryDir folder;
    QStringList paths;

    CameraCard() {
        for (int i = 0; i < kDistinctPhotos; ++i)
            cameraPhoto(i).save(folder.filePath(QStringLiteral("source%1.jpg").arg(i)), "JPEG", 90);
        for (int i = 0; i < kPhotos; ++i) {
            paths << folder.filePath(QStringLiteral("DSC_%1.JPG").arg(i, 4, 10, QLatin1Char('0')));
            const QByteArray source =
                QFile::encodeName(folder.filePath(QStringLiteral("source%1.jpg").arg(i % kDistinctPhotos)));
            if (::link(source.constData(), QFile::encodeName(paths.back()).constData()) != 0)
                paths.clear();
        }
    }
};

const CameraCard& card() {
    static const CameraCard photos;
    return photos;
}

// From the import's start to its end reaching the window, in a fresh editor each time; the argument is
// the number of thumbnail threads.
void BM_ImportCameraPhotos(benchmark::State& state) {
    const QStringList& paths = card().paths;
    if (paths.size() != kPhotos) {
        state.SkipWithError("the photos could not be made");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir program;
        auto editor = std::make_unique<app::CEditorApp>(platform::Folders(program.path()),
                                                        std::make_unique<platform::ScriptedDialogs>());
        app::CEditorDlg& window = editor->startMainWindow();
        window.setImportWorkers(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        window.startImport(paths);
        while (window.importRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(); // the end of the import
        state.PauseTiming();
        if (window.photoList().records.size() != static_cast<std::size_t>(kPhotos))
            state.SkipWithError("not every photo was listed");
        window.setStoreReadOnly(true);
        window.close();
        editor.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPhotos);
}
BENCHMARK(BM_ImportCameraPhotos)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace

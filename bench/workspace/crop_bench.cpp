// Cropping a 1600 × 1200 photo to a proportion: a corner drag step with the proportion kept (a mouse move
// and the recomposed view), and the "Crop" button itself (flatten, cut, one undo step, a new view).
#include "workspace/document.h"
#include "shown_document.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

using namespace workspace;

namespace {

imaging::PhotoBuffer noisyPhoto(int width, int height) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    std::mt19937 random(5);
    for (std::uint8_t& byte : photo.bgr)
        byte = static_cast<std::uint8_t>(random());
    return photo;
}

// The photo in the main window's workspace at 1280 × 800, in the crop tool with "4 : 6" chosen.
struct CropScene {
    QTemporaryDir folder;
    ShownDocument listener;
    WorkspaceDocument document{folder.path(), listener, QSize(877, 528)};

    CropScene() {
        document.setLoadedPicture(noisyPhoto(1600, 1200), false, 0, "bench.jpg");
        document.keepLoadedPhoto();
        document.resetCropRect();
        document.SetTool(ToolCrop);
        document.SetCropAspect(4, 6);
    }
};

} // namespace

void BM_ConstrainedCornerDragStep(benchmark::State& state) {
    CropScene scene;
    WorkspaceDocument& document = scene.document;
    const Rect corner = WorkspaceDocument::HandleRects(document.cropRect())[4];
    document.ButtonDown(corner.left + 4, corner.top + 4);
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(corner.left - step % 120, corner.top - step % 90);
    }
    document.ButtonUp();
}
BENCHMARK(BM_ConstrainedCornerDragStep)->Unit(benchmark::kMillisecond);

void BM_ApplyCrop(benchmark::State& state) {
    CropScene scene;
    for (auto _ : state) {
        scene.document.FlattenIntoPhoto(true);
        state.PauseTiming();
        scene.document.undo();
        scene.document.SetCropAspect(4, 6);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplyCrop)->Unit(benchmark::kMillisecond)->Iterations(30);

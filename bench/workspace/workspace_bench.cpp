// The document's hot paths: recomposing at every mouse move, rendering for output, the undo steps, the
// colour slider and the filters.
#include "imaging/filters/image_commands.h"
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
    std::mt19937 random(3);
    for (std::size_t i = 0; i < photo.bgr.size(); ++i)
        photo.bgr[i] =
            static_cast<std::uint8_t>((i / 3 % static_cast<std::size_t>(width)) / 7 + (random() & 31));
    return photo;
}

// A 1600 × 1200 photo in a 1280 × 800 workspace with five texts in different styles.
struct Scene {
    QTemporaryDir folder;
    ShownDocument listener;
    WorkspaceDocument document{folder.path(), listener, QSize(1280, 800)};

    explicit Scene(int texts) {
        document.setLoadedPicture(noisyPhoto(1600, 1200), false, 0, "bench.jpg");
        document.keepLoadedPhoto();
        document.SetTool(ToolText);
        for (int i = 0; i < texts; ++i) {
            text::TextObject& style = document.textTemplate();
            style.font = text::makeLogFont(u"DejaVu Sans", 60 + 10 * i);
            style.style = i;
            style.colour = text::rgb(250, 60 * i, 20);
            style.secondColour = text::rgb(20, 80, 250);
            text::setText(style, u"Happy Holidays 2026");
            document.PlaceText(100 + 40 * i, 80 + 120 * i);
        }
    }
};

void BM_Recompose(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state)
        scene.document.Recompose(false);
}
BENCHMARK(BM_Recompose)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_RenderPhotoArea(benchmark::State& state) {
    Scene scene(5);
    for (auto _ : state)
        scene.document.RenderPhotoArea();
}
BENCHMARK(BM_RenderPhotoArea)->Unit(benchmark::kMillisecond);

void BM_RecordImageStep(benchmark::State& state) {
    Scene scene(0);
    for (auto _ : state)
        scene.document.RecordImageStep();
}
BENCHMARK(BM_RecordImageStep)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_UndoImageStep(benchmark::State& state) {
    Scene scene(0);
    for (auto _ : state) {
        state.PauseTiming();
        scene.document.RecordImageStep();
        scene.document.RecordImageStep();
        state.ResumeTiming();
        scene.document.undo();
    }
}
BENCHMARK(BM_UndoImageStep)->Unit(benchmark::kMillisecond)->Iterations(20);

// A slider dragged on the Tuning panel: each movement replaces the adjustment and recomposes the view.
void BM_DragColourSlider(benchmark::State& state) {
    Scene scene(0);
    scene.document.SetColourAdjustment(
        imaging::colourAdjustmentFromPositions({150, 110, 160, 20000, 130, 21000}));
    int hue = 20000;
    for (auto _ : state) {
        hue = hue == 20000 ? 20100 : 20000;
        scene.document.SetColourAdjustment(
            imaging::colourAdjustmentFromPositions({150, 110, 160, hue, 130, 21000}));
    }
}
BENCHMARK(BM_DragColourSlider)->Unit(benchmark::kMillisecond);

// A filter chosen from the Tool menu, as the user meets it: the photo composed, filtered, taken back, the
// undo step written and the view recomposed. Each run starts from the photo as loaded.
void BM_MenuFilter(benchmark::State& state) {
    Scene scene(0);
    const imaging::PhotoBuffer loaded = scene.document.photo();
    const int code = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        scene.document.setLoadedPicture(loaded, false, 0, "bench.jpg");
        scene.document.keepLoadedPhoto();
        state.ResumeTiming();
        scene.document.ApplyImageCommand(code);
    }
}
BENCHMARK(BM_MenuFilter)
    ->ArgName("code")
    ->DenseRange(imaging::kCommandEmboss, imaging::kCommandDilate)
    ->Args({imaging::kCommandMedian})
    ->Args({imaging::kCommandNoise})
    ->Args({imaging::kCommandGaussian3})
    ->Args({imaging::kCommandGaussian5})
    ->Args({imaging::kCommandContour})
    ->Args({imaging::kCommandJitter})
    ->Args({imaging::kCommandEdge})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace

// One step of a drag: a mouse move and the recomposed back buffer, with a 1600 × 1200 photo and ten
// texts in a 1280 × 800 workspace. Arg 0 drags a text (text tool), 1 the crop rectangle (crop tool, its
// overlay drawn over the texts), 2 the text with the view zoomed to 400 % about it (the canvas then
// 6400 × 4800 window pixels, of which the window shows a part).
void BM_DragStep(benchmark::State& state) {
    Scene scene(0);
    WorkspaceDocument& document = scene.document;
    for (int i = 0; i < 10; ++i) {
        text::TextObject& style = document.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60 + 8 * i);
        style.style = i % 8;
        style.colour = text::rgb(250, 25 * i, 20);
        style.secondColour = text::rgb(20, 80, 250);
        text::setText(style, u"Happy Holidays 2026");
        document.PlaceText(150 + 50 * i, 30 + 72 * i);
    }
    const bool crop = state.range(0) == 1;
    if (state.range(0) == 2) {
        const auto& text = *document.objects().get<text::TextObject>(4);
        document.setZoom(4.0, QPoint(text.left + 5, text.top + 5));
    }
    QPoint grab;
    if (crop) {
        document.SetTool(ToolCrop);
        const Rect& r = document.cropRect();
        grab = QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    } else {
        const auto& text = *document.objects().get<text::TextObject>(4);
        grab = QPoint(text.left + 5, text.top + 5);
    }
    document.ButtonDown(grab.x(), grab.y());
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(grab.x() + step % 40, grab.y() + step % 30);
    }
    document.ButtonUp();
}
BENCHMARK(BM_DragStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

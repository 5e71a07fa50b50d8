// Recomposing and dragging on a busy decorated photo: a 1600 × 1200 photo in a 1280 × 800 workspace
// with a frame, a mask, 20 cliparts, 5 texts, a decoration and a 500-stamp brush stroke, from a library
// of full-size pictures written for the run.
#include "bench_library.h"
#include "resources/resource_library.h"
#include "shown_document.h"
#include "workspace/decorations/decoration_geometry.h"
#include "workspace/decorations/resource_pictures.h"
#include "workspace/document.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

using namespace workspace;

namespace {

imaging::PhotoBuffer photoOf(int width, int height) {
    imaging::PhotoBuffer photo;
    photo.width = width;
    photo.height = height;
    photo.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    std::mt19937 random(5);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = photo.row(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x / 7 + (random() & 15));
            p[1] = static_cast<std::uint8_t>(y / 5 + (random() & 15));
            p[2] = static_cast<std::uint8_t>((x + y) / 11);
        }
    return photo;
}

// The whole scene, its objects in this order from the bottom: the stroke, the mask, the frame, the
// cliparts, the texts, the decoration. Each kind covers what lies below it in its own way, so every
// composition draws all of them.
struct DecoratedScene {
    QTemporaryDir folder;
    platform::Folders folders{folder.path()};
    resources::ResourceLibrary library{folders};
    std::shared_ptr<ResourcePictures> pictures = std::make_shared<ResourcePictures>(&library);
    ShownDocument listener;
    std::unique_ptr<WorkspaceDocument> document;

    explicit DecoratedScene(int strokeStamps) {
        writeBenchLibrary(folders.GetDataFolder());

        document = std::make_unique<WorkspaceDocument>(folder.path(), listener, QSize(1280, 800), &library);
        WorkspaceDocument& d = *document;
        d.shareResourcePictures(pictures);
        d.setLoadedPicture(photoOf(1600, 1200), false, 0, "bench.jpg");
        d.keepLoadedPhoto();
        d.setBrushPictures({benchBrushTip()});

        // Each placing operation as the panels call it; the document's flattening rules would fold
        // most of them into the photo, so their records are then gathered into one list.
        std::vector<ObjectRecord> records;
        auto take = [&] {
            for (int i = 0; i < d.objects().size(); ++i)
                records.push_back(d.objects().at(i));
        };
        d.SetBrush(0, true, 0, 230, 50, text::rgb(250, 200, 30));
        d.ButtonDown(200, 200);
        for (int i = 1; i < strokeStamps * 5; ++i)
            d.MouseMove(200 + (i * 7) % 900, 150 + (i * 3) % 500);
        d.ButtonUp();
        take();
        d.PlaceMask(0);
        d.SetSelectedScale(-20);
        take();
        d.PlaceFrame(0);
        d.SetSelectedAngle(8);
        take();
        for (int i = 0; i < 20; ++i) {
            d.PlaceClipart(i, 150 + (i % 5) * 220, 120 + (i / 5) * 150);
            d.SetSelectedAngle(i * 17);
            d.SetSelectedScale(i * 9 - 90);
        }
        take();
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
        take();
        d.PlaceDecoration(0);
        take();

        d.keepLoadedPhoto();
        for (ObjectRecord& record : records)
            d.objects().append(std::move(record));
        d.ClearSelection();
        d.RecordObjectStep();
        d.Recompose(false);
    }
};

} // namespace

// Arg 0: a composition with every kept layer in place, as at every mouse move that changes nothing
// drawn (the hover cursor, a press on nothing). Arg 1: the composition after the library changed (an
// import), every picture decoded again and every layer made afresh.
void BM_RecomposeDecorated(benchmark::State& state) {
    DecoratedScene scene(500);
    const bool cold = state.range(0) == 1;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            scene.document->forgetResourcePictures();
            state.ResumeTiming();
        }
        scene.document->Recompose(false);
    }
}
BENCHMARK(BM_RecomposeDecorated)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The first composition of the decorated photo in a new document, as when it is opened in the window:
// the pictures were decoded when they were placed (the document shares them), every layer is made.
void BM_FirstComposition(benchmark::State& state) {
    DecoratedScene scene(500);
    const WorkspaceDocument& shown = *scene.document;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        ShownDocument listener;
        WorkspaceDocument document(folder.path(), listener, QSize(1280, 800), &scene.library);
        document.shareResourcePictures(scene.pictures);
        document.setLoadedPicture(shown.photo(), false, 0, "bench.jpg");
        document.keepLoadedPhoto();
        document.setBrushPictures({benchBrushTip()});
        for (int i = 0; i < shown.objects().size(); ++i)
            document.objects().append(shown.objects().at(i));
        document.RecordObjectStep();
        state.ResumeTiming();
        document.Recompose(false);
    }
}
BENCHMARK(BM_FirstComposition)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// One step of dragging at the topmost clipart of the decorated scene: the decoration over everything is
// what the press takes.
void BM_DragClipartDecorated(benchmark::State& state) {
    DecoratedScene scene(500);
    WorkspaceDocument& document = *scene.document;
    int clipart = -1;
    for (int i = 0; i < document.objects().size(); ++i)
        if (document.objects().kind(i) == Clipart)
            clipart = i;
    const QPointF centre = document.objects().get<ClipartObject>(clipart)->hitRegion.boundingRect().center();
    document.ButtonDown(static_cast<int>(centre.x()), static_cast<int>(centre.y()));
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(static_cast<int>(centre.x()) + step % 40,
                           static_cast<int>(centre.y()) + step % 30);
    }
    document.ButtonUp();
}
BENCHMARK(BM_DragClipartDecorated)->Unit(benchmark::kMillisecond);

// One step of dragging a corner handle of the topmost clipart of the decorated scene (turned and
// sized): the clipart is drawn afresh at its new size each step.
void BM_HandleDragDecorated(benchmark::State& state) {
    DecoratedScene scene(500);
    WorkspaceDocument& document = *scene.document;
    int index = -1;
    for (int i = 0; i < document.objects().size(); ++i)
        if (document.objects().kind(i) == Clipart)
            index = i;
    ClipartObject& clipart = *document.objects().get<ClipartObject>(index);
    clipart.selected = 1;
    document.Recompose(false);
    const PictureHandles handles = pictureHandles(
        clipartTransform(clipart, document.viewRect(), document.canvasWidth(), document.canvasHeight()),
        clipart.width, clipart.height);
    const QPoint corner = handles.points[2].toPoint();
    document.ButtonDown(corner.x(), corner.y());
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(corner.x() + step % 40, corner.y() + step % 30);
    }
    document.ButtonUp();
}
BENCHMARK(BM_HandleDragDecorated)->Unit(benchmark::kMillisecond);

// Painting: five mouse moves lay one stamp on a stroke of 500 and recompose.
void BM_BrushStamp(benchmark::State& state) {
    DecoratedScene scene(0);
    WorkspaceDocument& document = *scene.document;
    document.keepLoadedPhoto();
    document.SetBrush(0, true, 15, 230, 50, text::rgb(30, 200, 250));
    document.ButtonDown(300, 300);
    int move = 0;
    auto stamp = [&] {
        for (int i = 0; i < 5; ++i, ++move)
            document.MouseMove(200 + (move * 7) % 900, 150 + (move * 3) % 500);
    };
    for (int i = 0; i < 500; ++i)
        stamp();
    for (auto _ : state)
        stamp();
    document.ButtonUp();
}
BENCHMARK(BM_BrushStamp)->Unit(benchmark::kMillisecond)->Iterations(200);

// The mask dragged: the mask rule runs at canvas resolution at every step.
void BM_DragMask(benchmark::State& state) {
    DecoratedScene scene(0);
    WorkspaceDocument& document = *scene.document;
    document.keepLoadedPhoto();
    document.PlaceMask(0);
    document.ButtonDown(640, 400);
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(640 + step % 40, 400 + step % 30);
    }
    document.ButtonUp();
}
BENCHMARK(BM_DragMask)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

namespace {

enum DraggedKind { DraggedClipart, DraggedMask, DraggedFrame, DraggedText, DraggedCrop };

// The object of the kind placed on top of the decorated scene, as the user places it and then drags it
// (the placing operations append), where it is grabbed; for the crop rectangle, its middle.
QPoint placeOnTop(WorkspaceDocument& document, int kind) {
    switch (kind) {
    case DraggedClipart:
        document.PlaceClipart(3, 640, 400);
        return {640, 400};
    case DraggedMask:
        document.PlaceMask(0);
        return {640, 400};
    case DraggedFrame:
        document.PlaceFrame(0);
        return {640, 400};
    case DraggedText: {
        document.SetTool(ToolText);
        text::TextObject& style = document.textTemplate();
        style.font = text::makeLogFont(u"DejaVu Sans", 60);
        style.style = 3;
        text::setText(style, u"Happy Holidays 2026");
        document.PlaceText(300, 680);
        const auto& placed = *document.objects().get<text::TextObject>(document.objects().size() - 1);
        return {placed.left + 5, placed.top + 5};
    }
    default: {
        document.SetTool(ToolCrop);
        const Rect& r = document.cropRect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    }
}

} // namespace

// One drag step on the decorated scene. Arg: 0 a clipart, 1 the mask (scale 1: it covers the canvas), 2
// the frame, 3 a text, 4 the crop rectangle over everything.
void BM_DragDecorated(benchmark::State& state) {
    DecoratedScene scene(500);
    WorkspaceDocument& document = *scene.document;
    const QPoint grab = placeOnTop(document, static_cast<int>(state.range(0)));
    if (!document.ButtonDown(grab.x(), grab.y()))
        state.SkipWithError("nothing to drag");
    int step = 0;
    for (auto _ : state) {
        ++step;
        document.MouseMove(grab.x() + step % 40, grab.y() + step % 30);
    }
    document.ButtonUp();
}
BENCHMARK(BM_DragDecorated)
    ->DenseRange(DraggedClipart, DraggedCrop)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// One step of the rotation dial on the object just placed on the decorated scene. Arg: 0 a clipart, 1
// the mask, 2 the frame.
void BM_DialStepDecorated(benchmark::State& state) {
    DecoratedScene scene(500);
    WorkspaceDocument& document = *scene.document;
    placeOnTop(document, static_cast<int>(state.range(0)));
    int angle = 0;
    for (auto _ : state)
        document.SetSelectedAngle(++angle % 360);
}
BENCHMARK(BM_DialStepDecorated)
    ->DenseRange(DraggedClipart, DraggedFrame)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

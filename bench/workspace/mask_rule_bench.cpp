// The two steps of a mask drag or dial step on a 1600 × 1200 canvas, alone: the mask rule (arg 0 the
// upright mask moved, arg 1 the mask turned by a degree more at each step) and the masked canvas
// stretched over a 1067 × 800 view.
#include "workspace/composer_painting.h"
#include "workspace/decorations/decoration_pixels.h"

#include <benchmark/benchmark.h>
#include <cmath>

using namespace workspace;

namespace {

imaging::PhotoBuffer filledBuffer(int width, int height, int seed) {
    imaging::PhotoBuffer buffer;
    buffer.width = width;
    buffer.height = height;
    buffer.bgr.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < buffer.bgr.size(); ++i)
        buffer.bgr[i] = static_cast<std::uint8_t>(i * seed / 7);
    return buffer;
}

imaging::RasterImage radialMask() {
    imaging::RasterImage mask;
    mask.width = 1024;
    mask.height = 768;
    mask.bgra.resize(mask.stride() * mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const double d = std::hypot(x - 512.0, y - 384.0) / 480.0;
            const auto grey = static_cast<std::uint8_t>(std::min(255.0, d * d * 255));
            std::uint8_t* p = mask.row(y) + x * 4;
            p[0] = p[1] = p[2] = grey;
            p[3] = 255;
        }
    return mask;
}

} // namespace

void BM_MaskRule(benchmark::State& state) {
    const imaging::PhotoBuffer background = filledBuffer(1600, 1200, 3);
    const imaging::PhotoBuffer photo = filledBuffer(1600, 1200, 5);
    const imaging::RasterImage mask = radialMask();
    QImage out;
    int step = 0;
    for (auto _ : state) {
        ++step;
        const float angle = state.range(0) == 0 ? 0.0f : static_cast<float>(step % 360);
        ApplyMaskPixels(background, photo, mask, {1.5625f, angle, step % 40, step % 30}, out);
    }
}
BENCHMARK(BM_MaskRule)->Arg(0)->Arg(1)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

void BM_StretchCanvas(benchmark::State& state) {
    QImage canvas(1600, 1200, QImage::Format_RGB32);
    canvas.fill(Qt::darkCyan);
    QImage shown;
    for (auto _ : state)
        stretchPart(canvas, Rect{106, 0, 1173, 800}, QRect(0, 0, 1067, 800), shown);
}
BENCHMARK(BM_StretchCanvas)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// Measuring and drawing a 20-character text in each style, as every recomposition does.
#include "text/fonts/font_faces.h"
#include "text/style_sample_cache.h"
#include "text/styled_text_renderer.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const QString kWords = QStringLiteral("Summer by the lake!!"); // 20 characters

text::LogFont fontOf(const benchmark::State& state) {
    return text::makeLogFont(u"Liberation Sans", static_cast<int>(state.range(0)));
}

void BM_MeasureStyledText(benchmark::State& state) {
    const text::LogFont font = fontOf(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(text::MeasureStyledText(font, kWords));
}
BENCHMARK(BM_MeasureStyledText)->Arg(36)->Arg(96)->Unit(benchmark::kMicrosecond);

// range(0) height, range(1) style (8 is the fallback), range(2) 1 for a 24-bit target like the back buffer.
void BM_DrawTextInRect(benchmark::State& state) {
    const text::LogFont font = fontOf(state);
    const int style = static_cast<int>(state.range(1));
    const QSize box = text::MeasureStyledText(font, kWords);
    QImage target(box + QSize(64, 64),
                  state.range(2) ? QImage::Format_BGR888 : QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    for (auto _ : state)
        text::DrawTextInRect(painter, style, kWords, font, QRect(QPoint(32, 32), box), text::rgb(198, 25, 0),
                             text::rgb(255, 255, 0), 255);
}
BENCHMARK(BM_DrawTextInRect)
    ->ArgNames({"height", "style", "bgr888"})
    ->ArgsProduct({{36, 96}, {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0}})
    ->Args({96, 0, 1})
    ->Args({96, 4, 1})
    ->Unit(benchmark::kMicrosecond);

// The style chooser's samples: the word "Text", bold, 60 pixels high, in a 154 × 54 cell, as the text
// panel draws them. range(0) is how many styles are drawn (the two the panel shows at first, or all eight).
text::StyleSampleKey sampleKey(const QString& face) {
    text::StyleSampleKey key;
    key.word = QStringLiteral("Text");
    key.font = text::makeLogFont(face, 60, 700);
    key.layout = QSize(154, 54);
    key.colours = text::kStyleSampleColours;
    return key;
}

// The panel shown for the first time: nothing is cached yet.
void BM_StyleSamplesFirstDraw(benchmark::State& state) {
    const text::StyleSampleKey key = sampleKey(QStringLiteral("Microsoft Sans Serif"));
    const int styles = static_cast<int>(state.range(0));
    for (auto _ : state) {
        text::StyleSampleCache cache;
        for (int style = 0; style < styles; ++style)
            benchmark::DoNotOptimize(cache.sample(style, key).constBits());
    }
}
BENCHMARK(BM_StyleSamplesFirstDraw)->ArgName("styles")->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond);

// The samples' face changes at every iteration, so each one redraws them all.
void BM_StyleSamplesFaceChange(benchmark::State& state) {
    const text::StyleSampleKey keys[2] = {sampleKey(QStringLiteral("DejaVu Sans")),
                                          sampleKey(QStringLiteral("Liberation Serif"))};
    text::StyleSampleCache cache;
    int turn = 0;
    for (auto _ : state) {
        const text::StyleSampleKey& key = keys[turn++ % 2];
        for (int style = 0; style < text::kStyleCount; ++style)
            benchmark::DoNotOptimize(cache.sample(style, key).constBits());
    }
}
BENCHMARK(BM_StyleSamplesFaceChange)->Unit(benchmark::kMillisecond);

// Every later repaint of the chooser (scrolling, another face for the texts): the samples come from the
// cache.
void BM_StyleSamplesCachedRepaint(benchmark::State& state) {
    const text::StyleSampleKey key = sampleKey(QStringLiteral("Microsoft Sans Serif"));
    text::StyleSampleCache cache;
    QImage list(160, 94, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        list.fill(Qt::white);
        QPainter painter(&list);
        for (int style = 0; style < 2; ++style)
            painter.drawImage(QPoint(3, 3 + 60 * style), cache.sample(style, key));
    }
}
BENCHMARK(BM_StyleSamplesCachedRepaint)->Unit(benchmark::kMicrosecond);

// The text panel's font list, filled once when the main window is built.
void BM_InstalledFontFaces(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(text::installedFontFaces());
}
BENCHMARK(BM_InstalledFontFaces)->Unit(benchmark::kMillisecond);

} // namespace

// Measuring and drawing a 20-character text in each style, as every recomposition does.
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

} // namespace

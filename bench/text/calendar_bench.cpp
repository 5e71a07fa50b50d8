// The month calendar: drawing a month (at every step of "<<" and ">>") and exporting the picture with alpha
// (on OK).
#include "text/calendar/calendar_picture.h"

#include <benchmark/benchmark.h>
#include <vector>

using namespace text;

void BM_DrawMonth(benchmark::State& state) {
    QImage buffer(calendarWidthFor(kCalendarPictureSide), kCalendarPictureSide, QImage::Format_RGB32);
    CalendarMonth month{2028, 1};
    for (auto _ : state) {
        month = nextMonth(month);
        drawMonthCalendar(buffer, month);
    }
}
BENCHMARK(BM_DrawMonth)->Unit(benchmark::kMicrosecond);

void BM_ExportCalendarPicture(benchmark::State& state) {
    QImage buffer(calendarWidthFor(kCalendarPictureSide), kCalendarPictureSide, QImage::Format_RGB32);
    drawMonthCalendar(buffer, {2028, 2});
    std::vector<std::uint8_t> picture(kCalendarPictureSide * kCalendarPictureSide * 4);
    for (auto _ : state) {
        exportCalendarPicture(buffer, kCalendarPictureSide, kCalendarPictureSide, picture);
        benchmark::DoNotOptimize(picture.data());
    }
}
BENCHMARK(BM_ExportCalendarPicture)->Unit(benchmark::kMicrosecond);

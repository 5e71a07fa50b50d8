// Start-up costs paid before the first frame: writing and loading the language table.
#include "app/language_table.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_ExtractLanguageFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("EnglishLang_src");
    for (auto _ : state)
        benchmark::DoNotOptimize(app::extractLanguageFile(path));
}
BENCHMARK(BM_ExtractLanguageFile)->Unit(benchmark::kMicrosecond);

void BM_LoadLanguageTable(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath("EnglishLang_src");
    app::extractLanguageFile(path);
    for (auto _ : state) {
        app::LanguageTable table;
        benchmark::DoNotOptimize(table.loadFromFile(path));
    }
}
BENCHMARK(BM_LoadLanguageTable)->Unit(benchmark::kMicrosecond);

} // namespace

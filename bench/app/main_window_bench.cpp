// The main window's costs: start-up to the first painted frame, and one layout with its skin.
#include "app/editor_app.h"
#include "app/window/editor_dlg.h"
#include "platform/scripted_dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<app::CEditorApp> makeEditor(const QTemporaryDir& program) {
    return std::make_unique<app::CEditorApp>(platform::Folders(program.path()),
                                             std::make_unique<platform::ScriptedDialogs>());
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    QTemporaryDir program;
    for (auto _ : state) {
        auto editor = makeEditor(program);
        app::CEditorDlg& window = editor->startMainWindow();
        window.resize(1920, 1080);
        benchmark::DoNotOptimize(window.grab());
        state.PauseTiming();
        window.close();
        editor.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_LayoutAndSkinAt1920x1080(benchmark::State& state) {
    QTemporaryDir program;
    auto editor = makeEditor(program);
    app::CEditorDlg& window = editor->startMainWindow();
    window.resize(1920, 1080);
    for (auto _ : state) {
        window.relayout();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_LayoutAndSkinAt1920x1080)->Unit(benchmark::kMillisecond);

} // namespace

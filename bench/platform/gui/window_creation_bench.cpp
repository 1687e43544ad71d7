// Creating a window of the main window's size (1,545 components) from its form resource, under the
// offscreen platform.
#include <benchmark/benchmark.h>

#include <QtGlobal>

#include "platform/gui/application.h"
#include "platform/gui/form.h"
#include "tests/platform/gui/big_window.h"

namespace {

void BM_CreateMainWindowSizedForm(benchmark::State &state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    gui::EnsureQtApplication();
    for (auto _ : state) {
        auto window = CreateForm<TBigWindow>();
        benchmark::DoNotOptimize(window.get());
    }
}

}  // namespace

BENCHMARK(BM_CreateMainWindowSizedForm)->Unit(benchmark::kMillisecond);

// The program's start to its main window shown and painted at 1920x1080 (offscreen platform), in a
// folder holding the ten job tables of STATION_BENCH_JOBS jobs (10,000 unless set). Each start runs
// in a child process of its own, as a fresh program would: the table keys are derived anew, the
// tables opened anew. "ms" is the time from the start of the steps the program's entry runs to
// the first paint of the window; the benchmark's time is the same.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <stdexcept>

#include "app/form1.h"
#include "bench/support/job_tables.h"
#include "platform/runtime/datetime.h"
#include "platform/runtime/numbers.h"

namespace {

class PaintSeen : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
    bool painted = false;
};

// In the child: the program's start-up steps, then events until the window has painted.
double StartAndPaint() {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    LoadFormatSettingsFromLocale();
    LoadDateTimeFormatsFromLocale();
    int argc = 1;
    char name[] = "kestrium";
    char *argv[] = {name, nullptr};
    Application->Initialize(argc, argv);
    Application->SetDesktopRect(QRect(0, 0, 1920, 1080));
    Application->CreateForm(Form1);
    PaintSeen seen;
    Form1->Widget()->installEventFilter(&seen);
    Form1->Show();
    // Bounded: a window that never paints is reported, not waited for.
    while (!seen.painted && Clock::now() - start < std::chrono::seconds(20)) QCoreApplication::processEvents();
    if (!seen.painted) return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double StartInChild() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const double seconds = StartAndPaint();
        (void)!write(pipeEnds[1], &seconds, sizeof seconds);
        _exit(0);  // no teardown: only the start is measured
    }
    close(pipeEnds[1]);
    double seconds = -1;
    const bool read = ::read(pipeEnds[0], &seconds, sizeof seconds) == sizeof seconds;
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    if (!read || seconds < 0) throw std::runtime_error("the window did not paint");
    return seconds;
}

void BM_StartToPaintedWindow(benchmark::State &state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static bench::Store *store = [] {
        auto *built = new bench::Store(bench::JobCount());
        built->Fill();
        return built;
    }();
    QDir::setCurrent(QString::fromStdString(store->folder.string()));
    double total = 0;
    for (auto _ : state) {
        const double seconds = StartInChild();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["ms"] = total / static_cast<double>(state.iterations()) * 1e3;
    state.counters["jobs"] = store->jobs;
}

}  // namespace

// Ten starts a repetition, five repetitions: the median and its spread beside the mean.
BENCHMARK(BM_StartToPaintedWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);

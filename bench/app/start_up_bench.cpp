// The program's start to its first painted frame, beside the ten job tables of STATION_BENCH_JOBS
// jobs (10,000 unless set), against a minimal Qt 6 window started the same way. Every start execs
// the program afresh in the tables' folder (its loading counted) on an X server of the bench's own
// (Xvfb, black root, no window manager). The first frame is the moment the screen's pixels along a
// line across the window's head first differ from the black root, polled every millisecond. A
// start that shows nothing within 30 s, or ends, is killed and reported, so the bench always ends.
// Counters (per repetition, median over its starts): ours_ms and peer_ms from exec to the frame,
// ratio = ours over the peer's; ours_cpu_ms and peer_cpu_ms the CPU time of the whole process up
// to the frame (every thread, in the kernel's 10 ms ticks), cpu_ratio.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/interleaved.h"
#include "bench/support/job_tables.h"

// Last: X11 defines macros (None, Always) that the project's headers use as names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kProbeRow = 20;  // the main window's caption bar, the peer's plain face
constexpr auto kGiveUp = std::chrono::seconds(30);

// An Xvfb of its own, stopped when the run ends.
class XServer {
public:
    XServer() {
        int ready[2];
        if (pipe(ready) != 0) throw std::runtime_error("no pipe");
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-br",
                   "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        char c;
        while (::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
        close(ready[0]);
        if (number.empty()) throw std::runtime_error("Xvfb did not start");
        name_ = ":" + number;
        display_ = XOpenDisplay(name_.c_str());
        if (!display_) throw std::runtime_error("cannot open display " + name_);
    }
    ~XServer() {
        XCloseDisplay(display_);
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string &Name() const { return name_; }
    // Whether anything but the black root shows along the probe line.
    bool Painted() const {
        const int width = DisplayWidth(display_, DefaultScreen(display_));
        XImage *image =
            XGetImage(display_, DefaultRootWindow(display_), 0, kProbeRow, width, 1, AllPlanes, ZPixmap);
        if (!image) return false;
        bool painted = false;
        for (int x = 0; x < width && !painted; ++x) painted = (XGetPixel(image, x, 0) & 0xFFFFFF) != 0;
        XDestroyImage(image);
        return painted;
    }

private:
    pid_t pid_ = -1;
    std::string name_;
    Display *display_ = nullptr;
};

XServer &Server() {
    static XServer *server = new XServer;  // stopped at exit below
    static const bool stopAtExit = (std::atexit([] { delete server; }), true);
    (void)stopAtExit;
    return *server;
}

struct Start {
    double wallMs;
    double cpuMs;
};

double CpuMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command's closing parenthesis; utime and stime are the 14th and 15th.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int n = 3; n <= 15 && rest >> field; ++n)
        if (n >= 14) ticks += std::stod(field);
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Execs `program` in `folder` and waits for its first frame; the process is killed afterwards.
Start StartProgram(const std::string &program, const std::string &folder) {
    XServer &server = Server();
    // The last start's window must be gone from the screen.
    for (const auto until = Clock::now() + std::chrono::seconds(5); server.Painted() && Clock::now() < until;)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        setenv("DISPLAY", server.Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    bool painted = false, ended = false;
    while (!painted && !ended && Clock::now() - start < kGiveUp) {
        painted = server.Painted();
        ended = waitpid(child, nullptr, WNOHANG) == child;
        if (!painted && !ended) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cpuMs = ended ? 0 : CpuMs(child);
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    if (!painted)
        throw std::runtime_error(program + (ended ? " ended before painting" : " painted nothing in 30 s"));
    return {wallMs, cpuMs};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_StartToFirstFrame(benchmark::State &state) {
    static bench::Store *store = [] {
        auto *built = new bench::Store(bench::JobCount());
        built->Fill();
        return built;
    }();
    const std::string folder = store->folder.string();
    // The program's first start in the folder makes its other tables and files: not measured.
    StartProgram(STATION_PROGRAM, folder);
    std::vector<double> ours, peer, oursCpu, peerCpu;
    bool oursFirst = true;
    try {
        for (auto _ : state) {
            // Which side starts first alternates, so neither always finds the caches warmed by the other.
            const Start a = oursFirst ? StartProgram(STATION_PROGRAM, folder) : Start{};
            const Start b = StartProgram(MINIMAL_WINDOW, folder);
            const Start c = oursFirst ? Start{} : StartProgram(STATION_PROGRAM, folder);
            const Start &mine = oursFirst ? a : c;
            ours.push_back(mine.wallMs);
            oursCpu.push_back(mine.cpuMs);
            peer.push_back(b.wallMs);
            peerCpu.push_back(b.cpuMs);
            state.SetIterationTime(mine.wallMs / 1000);
            oursFirst = !oursFirst;
        }
    } catch (const std::exception &error) {
        state.SkipWithError(error.what());
        return;
    }
    state.counters["ours_ms"] = Median(ours);
    state.counters["peer_ms"] = Median(peer);
    state.counters["ratio"] = Median(ours) / Median(peer);
    state.counters["ours_cpu_ms"] = Median(oursCpu);
    state.counters["peer_cpu_ms"] = Median(peerCpu);
    state.counters["cpu_ratio"] = Median(oursCpu) / std::max(Median(peerCpu), 1.0);
    state.counters["jobs"] = store->jobs;
}

}  // namespace

// Seven starts of each a repetition, five repetitions: the median and its spread.
BENCHMARK(BM_StartToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7)
    ->Repetitions(5)
    ->Apply(bench::Spread);

#pragma once
// Runs our code and a peer's on the same input in alternating batches inside each iteration, so
// that both meet the same machine state, and reports both times per call and ours over the peer's
// ("ratio", below 1: ours is faster). The benchmark's own time is ours. Registered with
// ->Apply(bench::Spread) and run with --benchmark_repetitions=N, each figure is also given as
// its median, min and max over the repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace bench {

// CPU time of the calling thread: what the work itself costs, whatever else the machine runs.
struct ThreadCpuClock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ThreadCpuClock, duration>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
    }
};

// Clock: wall time unless told (ThreadCpuClock for work that never waits).
template <class Clock = std::chrono::steady_clock, class Ours, class Theirs>
void Interleaved(benchmark::State &state, int batch, Ours ours, Theirs theirs) {
    const auto timed = [batch](auto &work) {
        const auto start = Clock::now();
        for (int i = 0; i < batch; ++i) work();
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    double oursSeconds = 0, theirsSeconds = 0;
    bool oursFirst = true;
    for (auto _ : state) {
        // Which side runs first alternates, so neither always finds the caches warmed by the other.
        const double a = oursFirst ? timed(ours) : 0;
        const double b = timed(theirs);
        const double c = oursFirst ? 0 : timed(ours);
        oursSeconds += a + c;
        theirsSeconds += b;
        state.SetIterationTime(a + c);
        oursFirst = !oursFirst;
    }
    const double calls = static_cast<double>(state.iterations()) * batch;
    state.counters["ours_us"] = oursSeconds / calls * 1e6;
    state.counters["peer_us"] = theirsSeconds / calls * 1e6;
    state.counters["ratio"] = oursSeconds / theirsSeconds;
    // The machine's load over the last minute, to read the figures beside.
    double load = 0;
    if (getloadavg(&load, 1) == 1) state.counters["load"] = load;
}

inline void Spread(benchmark::internal::Benchmark *b) {
    b->ComputeStatistics("min",
                         [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
    b->ComputeStatistics("max",
                         [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); });
}

}  // namespace bench

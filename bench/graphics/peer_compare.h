#pragma once
// Runs our code and a peer's on the same work in each iteration of a benchmark and reports both
// speeds over a square image of side `side` and the ratio peer time / our time (above 1: ours
// is faster). The benchmark's own time is ours.
#include <benchmark/benchmark.h>

#include <chrono>

template <class Ours, class Theirs>
void ComparePeers(benchmark::State &state, int side, Ours ours, Theirs theirs) {
    using Clock = std::chrono::steady_clock;
    double oursSeconds = 0, theirsSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        ours();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        oursSeconds += elapsed;
        state.SetIterationTime(elapsed);
        start = Clock::now();
        theirs();
        theirsSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double pixels = static_cast<double>(state.iterations()) * side * side;
    state.counters["ours_Mpx_s"] = pixels / oursSeconds / 1e6;
    state.counters["giflib_Mpx_s"] = pixels / theirsSeconds / 1e6;
    state.counters["giflib_ratio"] = theirsSeconds / oursSeconds;
}

// Deriving the table keys of 1, 2, 4 and 8 passwords (PBKDF2-HMAC-SHA256, 100,000 iterations)
// against the library's PKCS5_PBKDF2_HMAC doing the same in the same run. Every case reports "ms"
// per key; each of ours also "vs_library", its time per key divided by the library's.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tables/key_derivation.h"

namespace {

constexpr std::string_view kSalt = "station tables / raw key v1";

std::vector<std::string> Passwords(int count) {
    std::vector<std::string> passwords;
    for (int i = 0; i < count; ++i) passwords.push_back("Hq4TnwZpk27cs-" + std::to_string(i));
    return passwords;
}

double LibraryMsPerKey = 0;

double MsPerKey(std::chrono::steady_clock::time_point start, int keys) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / keys;
}

void BM_Library(benchmark::State &state) {
    const std::vector<std::string> passwords = Passwords(static_cast<int>(state.range(0)));
    double ms = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string &password : passwords) {
            unsigned char key[32];
            PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                              reinterpret_cast<const unsigned char *>(kSalt.data()), static_cast<int>(kSalt.size()),
                              100000, EVP_sha256(), sizeof key, key);
            benchmark::DoNotOptimize(key);
        }
        ms = MsPerKey(start, static_cast<int>(passwords.size()));
    }
    LibraryMsPerKey = ms;
    state.counters["ms"] = ms;
}

void Ours(benchmark::State &state, bool instructions) {
    const std::vector<std::string> passwords = Passwords(static_cast<int>(state.range(0)));
    const std::vector<std::string_view> views(passwords.begin(), passwords.end());
    double ms = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(tables::DeriveTableKeys(views, instructions));
        ms = MsPerKey(start, static_cast<int>(passwords.size()));
    }
    state.counters["ms"] = ms;
    if (LibraryMsPerKey > 0) state.counters["vs_library"] = ms / LibraryMsPerKey;
}

void BM_Ours(benchmark::State &state) {
    if (!tables::HasShaInstructions()) return state.SkipWithError("no SHA-256 instructions on this CPU");
    Ours(state, true);
}

void BM_OursPortable(benchmark::State &state) { Ours(state, false); }

}  // namespace

BENCHMARK(BM_Library)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OursPortable)->Arg(1)->Unit(benchmark::kMillisecond);

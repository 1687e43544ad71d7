// Encoding the station's QR texts, against libqrencode on the same input in the same run.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <random>
#include <string>

#include "barcode/qr_encoder.h"

namespace {

// A results page's QR text: header, 3DES-enciphered data as hex lines, end mark (about 450 bytes).
std::string ResultsPageText() {
    std::mt19937 random(7);
    std::string text = "LEG:0\nSZYFR:1\nSTART:\n";
    const char *hex = "0123456789ABCDEF";
    for (int line = 0; line < 24; ++line) {
        for (int i = 0; i < 16; ++i) text += hex[random() % 16];
        text += '\n';
    }
    return text + "END";
}

// A plain results page: data lines with Polish words, numbers and units (about 500 bytes).
std::string PlainPageText() {
    std::string text = "LEG:0\nSZYFR:0\nSTART:\n";
    for (int row = 1; row <= 10; ++row) {
        text += "T" + std::to_string(row) + ";" + std::to_string(1000 + row * 37) + ",50 z\xB3;" +
                std::to_string(row * 125) +
                ",000 m;b\xB3\xB9"
                "d 0,0" +
                std::to_string(row % 10) + "%\n";
    }
    return text + "Przebieg ca\xB3kowity 123456,7 km; \x8Cwiadectwo nr 2026/12/0042\nEND";
}

// Near the capacity of version 40 at level L: mixed digits, upper- and lower-case text.
std::string Version40Text() {
    std::string text;
    for (int i = 0; text.size() < 2500; ++i) {
        text += "pomiar " + std::to_string(100000 + i * 7919) + " OK;";
    }
    return text.substr(0, 2500);
}

// Alternating letters and digits: the most segment boundaries the search meets.
std::string AlternatingText() {
    std::string text;
    while (text.size() < 3000) text += "A1";
    return text;
}

void Ours(benchmark::State &state, const std::string &text) {
    barcode::QrParameters parameters;  // level L with upgrade, the document pages' settings
    for (auto _ : state) {
        barcode::QrSymbol symbol;
        benchmark::DoNotOptimize(barcode::EncodeSymbol(text, parameters, symbol));
        benchmark::DoNotOptimize(symbol.Matrix.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void Qrencode(benchmark::State &state, const std::string &text) {
    for (auto _ : state) {
        QRcode *code = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_L, QR_MODE_8, 1);
        if (code == nullptr) {
            state.SkipWithError("libqrencode refused the text");
            break;
        }
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

BENCHMARK_CAPTURE(Ours, ResultsPage, ResultsPageText());
BENCHMARK_CAPTURE(Qrencode, ResultsPage, ResultsPageText());
BENCHMARK_CAPTURE(Ours, PlainPage, PlainPageText());
BENCHMARK_CAPTURE(Qrencode, PlainPage, PlainPageText());
BENCHMARK_CAPTURE(Ours, Version40, Version40Text());
BENCHMARK_CAPTURE(Qrencode, Version40, Version40Text());
BENCHMARK_CAPTURE(Ours, Alternating, AlternatingText());
BENCHMARK_CAPTURE(Qrencode, Alternating, AlternatingText());

}  // namespace

// Encoding the station's QR texts, against libqrencode on the same input in the same run.
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <random>
#include <string>

#include "barcode/qr_encoder.h"
#include "barcode/segmentation.h"
#include "bench/support/interleaved.h"

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

// 300 digits: a small symbol (version 6 at level L).
std::string SmallDigits() {
    std::string text;
    for (int i = 0; text.size() < 300; ++i) text += std::to_string(i * 7919 % 1000);
    return text.substr(0, 300);
}

// A short line of code page 1250 text with numbers: a small symbol of mixed modes.
std::string SmallText() {
    return "Taksometr nr 12345, \xB9wiadectwo 2026/12/0042, sta\xB3a k=1234 imp/km, opony 195/65R15";
}

// 7000 digits: near the capacity of version 40.
std::string LargeDigits() {
    std::string text;
    for (int i = 0; text.size() < 7000; ++i) text += std::to_string(i * 104729 % 100000);
    return text.substr(0, 7000);
}

// Upper-case letters, digits and the alphanumeric punctuation.
std::string Alphanumeric() {
    std::string text;
    for (int i = 0; text.size() < 1500; ++i) text += "TAKSOMETR " + std::to_string(i) + " $%*+-./:";
    return text.substr(0, 1500);
}

// Drawn at random from the characters the encoder codes in its letters-and-digits mode; `draw`
// picks the sequence, so each class gets a text of its own that stays the same from run to run.
std::string DrawnLetterText(int length, unsigned draw) {
    static const std::string kCharacters = [] {
        std::string characters;
        for (int c = 0; c < 256; ++c)
            if (barcode::AlphanumericValue(static_cast<unsigned char>(c)) >= 0) characters += static_cast<char>(c);
        return characters;
    }();
    std::mt19937 random(draw);
    std::string text(static_cast<std::size_t>(length), ' ');
    for (char &c : text) c = kCharacters[random() % kCharacters.size()];
    return text;
}

// Arbitrary bytes.
std::string Binary() {
    std::mt19937 random(11);
    std::string text(1200, '\0');
    for (char &c : text) c = static_cast<char>(random() % 256);
    return text;
}

QRecLevel QrencodeLevel(TQRCode_EccLevel level) {
    static constexpr QRecLevel kLevels[] = {QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H};
    return kLevels[level];
}

// libqrencode's symbol of the text at the level, choosing its own modes (bytes as they are when
// `binary`).
QRcode *Qrencode(const std::string &text, bool binary, TQRCode_EccLevel level) {
    if (binary)
        return QRcode_encodeData(static_cast<int>(text.size()),
                                 reinterpret_cast<const unsigned char *>(text.data()), 0,
                                 QrencodeLevel(level));
    return QRcode_encodeString(text.c_str(), 0, QrencodeLevel(level), QR_MODE_8, 1);
}

// Ours at a level without upgrade and libqrencode at the same level choosing its own modes: the
// same symbol size and the same work ("same_version" is 1 when both chose the same version).
void Compare(benchmark::State &state, const std::string &text, bool binary,
             TQRCode_EccLevel level = elLowest) {
    barcode::QrParameters parameters;
    parameters.EccLevel = level;
    parameters.EccLevelUpgrade = false;
    const auto ours = [&] {
        barcode::QrSymbol symbol;
        benchmark::DoNotOptimize(barcode::EncodeSymbol(text, parameters, symbol));
        benchmark::DoNotOptimize(symbol.Matrix.data());
    };
    const auto theirs = [&] {
        QRcode *code = Qrencode(text, binary, level);
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    };
    bench::Interleaved<bench::ThreadCpuClock>(state, 20, ours, theirs);
    barcode::QrSymbol symbol;
    barcode::EncodeSymbol(text, parameters, symbol);
    QRcode *code = Qrencode(text, binary, level);
    state.counters["same_version"] = code != nullptr && code->version == symbol.Version;
    QRcode_free(code);
}

// Random alphanumeric texts of every length class at every level that holds them.
const bool kAlphanumericClasses = [] {
    static constexpr const char *kLevelNames[] = {"L", "M", "Q", "H"};
    for (const int length : {25, 300, 900, 1500, 2500}) {
        for (const TQRCode_EccLevel level : {elLowest, elMedium, elQuality, elHighest}) {
            const std::string text = DrawnLetterText(length, static_cast<unsigned>(length * 4 + level));
            barcode::QrParameters parameters;
            parameters.EccLevel = level;
            parameters.EccLevelUpgrade = false;
            barcode::QrSymbol symbol;
            if (barcode::EncodeSymbol(text, parameters, symbol) != 0) continue;
            const std::string name =
                "Compare/RandomAlphanumeric" + std::to_string(length) + "/" + kLevelNames[level];
            benchmark::RegisterBenchmark(
                name.c_str(), [text, level](benchmark::State &state) { Compare(state, text, false, level); })
                ->UseManualTime()
                ->Apply(bench::Spread);
        }
    }
    return true;
}();

BENCHMARK_CAPTURE(Compare, SmallDigits, SmallDigits(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, SmallText, SmallText(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, LargeDigits, LargeDigits(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, Alphanumeric, Alphanumeric(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, ResultsPage, ResultsPageText(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, PlainPage, PlainPageText(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, Version40, Version40Text(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, Alternating, AlternatingText(), false)->UseManualTime()->Apply(bench::Spread);
BENCHMARK_CAPTURE(Compare, Binary, Binary(), true)->UseManualTime()->Apply(bench::Spread);

}  // namespace

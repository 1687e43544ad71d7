// The registration-code decoder against libucl's own NRV2E decompressor on the same code, and the
// bit-vector cipher against OpenSSL's DES-EDE3 (a different cipher of the same round count).
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <ucl/ucl.h>

#include <memory>
#include <vector>

#include "code_fixtures.h"
#include "fake_scan_screen.h"
#include "qrpayload/aztec_code.h"
#include "qrpayload/base64.h"
#include "qrpayload/block_cipher.h"
#include "qrpayload/scan_intake.h"

namespace {

std::string RegistrationText() {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "XX|WZ " + std::to_string(10000 + 37 * i) + "|Łódź, ul. Źródlana " + std::to_string(i) +
                "|ŻÓŁW Sp. z o.o.|";
    return Utf8ToUtf16Le(text);
}

const std::string &Code() {
    static const std::string code = MakeRegistrationCode(RegistrationText());
    return code;
}

void DecodeOwn(benchmark::State &state) {
    for (auto _ : state) benchmark::DoNotOptimize(GetCodeAztec(Code()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(RegistrationText().size()));
}
BENCHMARK(DecodeOwn);

void DecodeLibucl(benchmark::State &state) {
    const std::size_t expected = RegistrationText().size();
    std::vector<std::uint8_t> bytes;
    std::vector<unsigned char> out(expected);
    for (auto _ : state) {
        DecodeBase64(Code(), bytes);
        ucl_uint length = static_cast<ucl_uint>(out.size());
        const int rc = ucl_nrv2e_decompress_safe_8(bytes.data() + 4, static_cast<ucl_uint>(bytes.size() - 4),
                                                   out.data(), &length, nullptr);
        // The last Base64 group of a code may drop the end marker's last bytes: libucl then reports an
        // input overrun after it has written the whole text.
        if ((rc != UCL_E_OK && rc != UCL_E_INPUT_OVERRUN) || length != expected) {
            state.SkipWithError("libucl did not decode the code");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(expected));
}
BENCHMARK(DecodeLibucl);

constexpr std::array<std::uint8_t, 24> kKey = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

void EncryptOwn(benchmark::State &state) {
    DesBlock block{};
    for (auto _ : state) block = EncryptBlock3DES(block, kKey);
    benchmark::DoNotOptimize(block);
}
BENCHMARK(EncryptOwn);

void EncryptOpenSsl(benchmark::State &state) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                        EVP_CIPHER_CTX_free);
    EVP_EncryptInit_ex(ctx.get(), EVP_des_ede3_ecb(), nullptr, kKey.data(), nullptr);
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    DesBlock block{};
    int written = 0;
    for (auto _ : state) EVP_EncryptUpdate(ctx.get(), block.data(), &written, block.data(), 8);
    benchmark::DoNotOptimize(block);
}
BENCHMARK(EncryptOpenSsl);

// A half-megabyte paste into the scanner's input, arriving 4 KB a tick, read to its last line.
void ScanHugePaste(benchmark::State &state) {
    std::string paste;
    while (paste.size() < 500'000) paste += "QUJDREVGR0hJSktMTU5PUFFSU1RVVldY\nLEG:0\nSZYFR:3DES\nSTART:\n0123\n";
    for (auto _ : state) {
        qrpayload::FakeScreen screen;
        qrpayload::ScanIntakeState intake;
        qrpayload::QrPayloadState cipher;
        qrpayload::StartScan(intake, screen);
        for (std::size_t at = 0; at < paste.size(); at += 4096) {
            screen.input += paste.substr(at, 4096);
            qrpayload::ScanStep(intake, screen, cipher);
        }
        while (static_cast<std::size_t>(intake.QrLineIndex) < intake.QrProgress.input.lines.size())
            qrpayload::ScanStep(intake, screen, cipher);
        benchmark::DoNotOptimize(intake.QrLineIndex);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(paste.size()));
}
BENCHMARK(ScanHugePaste)->Unit(benchmark::kMillisecond);

}  // namespace

// The capture description and the make_capture command that turns it into a capture file.
#include "platform/d2xx/capture_description.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>

namespace {

using d2xx::Bytes;

Bytes Parse(std::string_view text) {
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(d2xx::ParseCaptureDescription(text, bytes, error)) << error;
    return bytes;
}

TEST(CaptureDescription, ItemsBecomeTheirBytes) {
    struct Case {
        const char *text;
        Bytes bytes;
    };
    const Case cases[] = {
        {"kline F1 2E", {0x80, 0xEE, 0xF1, 0x01, 0x2E, 0x8E}},
        {"kline 10", {0x80, 0xEE, 0x10, 0x00, 0x7E}},
        {"kline 0xF1 \"A\"", {0x80, 0xEE, 0xF1, 0x01, 0x41, 0xA1}},
        {"record \"K\" 3132", {0x02, 'K', '1', '2', 0x03}},
        {"record", {0x02, 0x03}},
        {"raw 0x80EE ff 00", {0x80, 0xEE, 0xFF, 0x00}},
        {"raw \"a\\\"\\\\\\x02#\" # comment", {'a', '"', '\\', 0x02, '#'}},
        {"# only a comment\n\n   \t\r\nraw 01\r\nraw 02", {0x01, 0x02}},
        {"", {}},
    };
    for (const Case &c : cases) EXPECT_EQ(Parse(c.text), c.bytes) << c.text;
}

TEST(CaptureDescription, LongestItemsAreAccepted) {
    std::string kline = "kline 01";
    std::string record = "record";
    for (int i = 0; i < 255; ++i) kline += " 41";
    for (int i = 0; i < 254; ++i) record += " 41";
    const Bytes frame = Parse(kline);
    ASSERT_EQ(frame.size(), 4u + 255u + 1u);
    EXPECT_EQ(frame[3], 0xFF);
    EXPECT_EQ(Parse(record).size(), 256u);
}

TEST(CaptureDescription, FaultsNameTheirLineAndProduceNothing) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"raw 01\nframe 01", "line 2: unknown keyword 'frame'"},
        {"raw 1", "line 1: '1' is not a run of two-digit"},
        {"raw 0x", "line 1: '0x' is not hexadecimal"},
        {"raw zz", "line 1: 'zz' is not hexadecimal"},
        {"raw \"abc", "line 1: unterminated quoted text"},
        {"raw \"ab\\", "line 1: unterminated quoted text"},
        {"raw \"\\q\"", "line 1: unknown escape"},
        {"raw \"\\x4\"", "line 1: unknown escape"},
        {"kline", "line 1: kline needs a source byte"},
        {"record 41 03 41", "line 1: record data may not contain 02 or 03"},
        {"\n\n\"text\"", "line 3: data without a keyword"},
    };
    for (const Case &c : cases) {
        Bytes bytes{0x55};
        std::string error;
        EXPECT_FALSE(d2xx::ParseCaptureDescription(c.text, bytes, error)) << c.text;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << error;
        EXPECT_EQ(bytes, Bytes{0x55});
    }
    std::string kline = "kline 01";
    std::string record = "record";
    for (int i = 0; i < 256; ++i) kline += " 41";
    for (int i = 0; i < 255; ++i) record += " 41";
    Bytes bytes;
    std::string error;
    EXPECT_FALSE(d2xx::ParseCaptureDescription(kline, bytes, error));
    EXPECT_EQ(error, "line 1: kline carries at most 255 data bytes, not 256");
    EXPECT_FALSE(d2xx::ParseCaptureDescription(record, bytes, error));
    EXPECT_EQ(error, "line 1: record carries at most 254 bytes, not 255");
}

// Runs a shell command; returns its exit status and standard output.
std::pair<int, std::string> RunShell(const std::string &command) {
    FILE *pipe = popen(command.c_str(), "r");
    std::string output;
    char chunk[512];
    std::size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(MakeCapture, BuildMadeFixtureHoldsTheDescribedBytes) {
    std::ifstream file(SAMPLE_CAPTURE, std::ios::binary);
    const Bytes capture{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const Bytes expected = {
        0x80, 0xEE, 0xF1, 0x09, 0x2E, 0xF1, 0x9A, 'Q',  'M',  '2',  '0',  '2',  '4',  0x87,  // text
        0x80, 0xEE, 0xF1, 0x0B, 0x2E, 0xF3, 0x00, 0xDC, 0x05, 0x00, 0x80, 0xE8, 0x03, 0x00,
        0x00, 0xD7, 0x02, 'K',  '1',  '2',  0x03,  // meter record
        0x80, 0xEE,                                // stray header
        0x80, 0xEE, 0x10, 0x00, 0x7E,              // empty frame
    };
    EXPECT_EQ(capture, expected);
}

TEST(MakeCapture, ReportsFaultsAndExplainsItsFormat) {
    const std::string tool = MAKE_CAPTURE;
    const auto [helpStatus, help] = RunShell(tool + " --help");
    EXPECT_EQ(helpStatus, 0);
    for (const char *word : {"kline", "record", "raw", "checksum", "\\xHH"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    const auto [fromStdin, bytes] = RunShell("printf 'kline F1 2E\\n' | " + tool + " | od -An -tx1");
    EXPECT_EQ(fromStdin, 0);
    EXPECT_EQ(bytes, " 80 ee f1 01 2e 8e\n");
    EXPECT_EQ(RunShell("printf 'raw 01\\nraw 1\\n' | " + tool + " -o /dev/null 2>&1").second,
              "make_capture: -: line 2: '1' is not a run of two-digit hexadecimal bytes\n");
    EXPECT_EQ(RunShell("printf 'raw 1\\n' | " + tool + " >/dev/null 2>&1").first, 1);
    EXPECT_EQ(RunShell(tool + " no/such/description 2>/dev/null").first, 2);
    EXPECT_EQ(RunShell(tool + " --bogus 2>/dev/null").first, 2);
}

}  // namespace

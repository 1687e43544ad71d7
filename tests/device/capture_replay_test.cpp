// Replay of a capture file: the chunks a file is cut into, the end of a replay, open failures,
// stopping, and a long capture made from a description giving the same messages as the live push.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "device/capture_replay.h"
#include "link_fixtures.h"
#include "platform/d2xx/capture_description.h"
#include "platform/d2xx/sim_control.h"
#include "platform/d2xx/temporary_folder.h"

namespace {

using device_test::Bytes;
namespace fs = std::filesystem;

fs::path WriteFile(const fs::path &folder, const std::string &name, const Bytes &bytes) {
    const fs::path file = folder / name;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file;
}

class CaptureReplay : public testing::Test {
protected:
    d2xx_test::TemporaryFolder folder_;
};

// Everything a replay did, step by step, with the window's framing tick after each step.
struct ReplayRun {
    std::vector<device::ReplayStepResult> results;
    std::vector<std::size_t> chunks;
    Bytes fed;
    std::vector<Bytes> messages;
};

ReplayRun Replay(device::CaptureReplay &replay, const fs::path &path) {
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    ReplayRun run;
    device::StartReplay(replay, path.string(), *buffer);
    for (int step = 0; step < 100000; ++step) {
        const auto result = device::ReplayStep(replay, *buffer);
        run.results.push_back(result);
        if (result == device::ReplayStepResult::ChunkTaken) {
            run.chunks.push_back(replay.ReplayChunkSize);
            run.fed.insert(run.fed.end(), replay.ReplayChunk.begin(),
                           replay.ReplayChunk.begin() + static_cast<std::ptrdiff_t>(replay.ReplayChunkSize));
        }
        device::FrameKlineMessages(*buffer, *ring);
        device_test::TakeMessages(*ring, run.messages);
        if (result == device::ReplayStepResult::Finished || result == device::ReplayStepResult::OpenFailed) break;
    }
    return run;
}

TEST_F(CaptureReplay, CutsTheFileInChunksOfAHundredBytes) {
    using R = device::ReplayStepResult;
    struct Case {
        std::size_t size;
        std::vector<std::size_t> chunks;
    };
    for (const Case &c : std::vector<Case>{{0, {0}}, {250, {100, 100, 50}}, {200, {100, 100}}, {1, {1}}}) {
        Bytes bytes(c.size);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
        device::CaptureReplay replay;
        const ReplayRun run = Replay(replay, WriteFile(folder_.path(), "chunks.capture", bytes));
        EXPECT_EQ(run.chunks, c.chunks) << c.size;
        EXPECT_EQ(run.fed, bytes) << c.size;
        // Open, then take and feed every chunk, then finish.
        std::vector<R> expected = {R::Progress};
        for (std::size_t i = 0; i < c.chunks.size(); ++i) expected.insert(expected.end(), {R::ChunkTaken, R::Progress});
        expected.push_back(R::Finished);
        EXPECT_EQ(run.results, expected) << c.size;
        EXPECT_EQ(replay.ReplayFile, nullptr);
        // Once finished, further steps do nothing.
        auto buffer = std::make_unique<device::KlineByteRing>();
        EXPECT_EQ(device::ReplayStep(replay, *buffer), R::Idle);
    }
}

TEST_F(CaptureReplay, FileThatDoesNotOpenEndsTheReplay) {
    const fs::path folder = folder_.path() / "capture.folder";
    fs::create_directories(folder);
    for (const fs::path &path : {folder_.path() / "missing.capture", folder}) {
        device::CaptureReplay replay;
        const ReplayRun run = Replay(replay, path);
        EXPECT_EQ(run.results, std::vector{device::ReplayStepResult::OpenFailed}) << path;
        EXPECT_EQ(replay.ReplayState, 0);
        EXPECT_EQ(replay.ReplayFile, nullptr);
    }
}

TEST_F(CaptureReplay, StopEndsTheReplayAndLaterStepsTouchNothing) {
    const auto path = WriteFile(folder_.path(), "stop.capture", Bytes(1000, 0x11));
    auto buffer = std::make_unique<device::KlineByteRing>();
    device::CaptureReplay replay;
    device::StartReplay(replay, path.string(), *buffer);
    for (int step = 0; step < 5; ++step) device::ReplayStep(replay, *buffer);
    ASSERT_NE(replay.ReplayFile, nullptr);
    device::StopReplay(replay);
    EXPECT_EQ(replay.ReplayFile, nullptr);
    const auto written = buffer->Ring.WriteIndex;
    for (int step = 0; step < 3; ++step) EXPECT_EQ(device::ReplayStep(replay, *buffer), device::ReplayStepResult::Idle);
    EXPECT_EQ(buffer->Ring.WriteIndex, written);
    // A new replay after a stop starts from a clear buffer.
    device::StartReplay(replay, path.string(), *buffer);
    EXPECT_EQ(buffer->Ring.WriteIndex, 0u);
    EXPECT_EQ(device::ReplayStep(replay, *buffer), device::ReplayStepResult::Progress);
}

TEST_F(CaptureReplay, StartingAgainClosesTheFileStillOpen) {
    const auto first = WriteFile(folder_.path(), "first.capture", Bytes(1000, 0x11));
    const auto second = WriteFile(folder_.path(), "second.capture", d2xx::EncodeKlineFrame(0xF1, Bytes{0x2E}));
    device::CaptureReplay replay;
    auto buffer = std::make_unique<device::KlineByteRing>();
    device::StartReplay(replay, first.string(), *buffer);
    device::ReplayStep(replay, *buffer);
    device::ReplayStep(replay, *buffer);
    const ReplayRun run = Replay(replay, second);
    EXPECT_EQ(run.messages, (std::vector<Bytes>{{0x2E}}));
}

TEST_F(CaptureReplay, FullByteBufferHoldsTheChunkBackUntilThereIsRoom) {
    const auto path = WriteFile(folder_.path(), "full.capture", Bytes(250, 0x22));
    auto buffer = std::make_unique<device::KlineByteRing>();
    device::CaptureReplay replay;
    device::StartReplay(replay, path.string(), *buffer);
    device::ReplayStep(replay, *buffer);  // open
    // Something else filled the buffer but for 30 bytes.
    buffer->Append(Bytes(buffer->Ring.kSize - 30, 0x11));
    device::ReplayStep(replay, *buffer);  // take 100
    device::ReplayStep(replay, *buffer);  // feeds 30 of them
    EXPECT_EQ(replay.ReplayState, 2);
    EXPECT_EQ(replay.ReplayChunkFed, 30u);
    auto ring = std::make_unique<device::KlineMessageRing>();
    device::FrameKlineMessages(*buffer, *ring);
    device::ReplayStep(replay, *buffer);  // the other 70
    EXPECT_EQ(replay.ReplayState, 1);
    EXPECT_EQ(buffer->Ring.WriteIndex, buffer->Ring.kSize + 70);
}

class CaptureReplayLive : public device_test::SimulatorTest {
protected:
    d2xx_test::TemporaryFolder folder_;
};

TEST_F(CaptureReplayLive, LongCaptureGivesTheSameMessagesAsTheLivePush) {
    // The capture is made from its readable description, as make_capture makes it.
    const auto stream = device_test::GenerateKlineStream(200 * 1024, 23);
    Bytes capture;
    std::string error;
    ASSERT_TRUE(d2xx::ParseCaptureDescription(stream.description, capture, error)) << error;
    ASSERT_TRUE(capture == stream.bytes);
    const auto path = WriteFile(folder_.path(), "long.capture", capture);

    device::CaptureReplay replay;
    const ReplayRun replayed = Replay(replay, path);
    EXPECT_TRUE(replayed.fed == capture);

    int dev = -1;
    device::DeviceChannel channel = OpenDevice(SIM_KIND_INTERFACE, dev);
    ASSERT_EQ(sim_push_file(dev, path.c_str()), 0);
    auto buffer = std::make_unique<device::KlineByteRing>();
    auto ring = std::make_unique<device::KlineMessageRing>();
    std::vector<Bytes> live;
    while (sim_rx_queued(dev) > 0) {
        ASSERT_EQ(device::ReadKlineBytes(Api(), channel, *buffer), device::ReadResult::Read);
        device::FrameKlineMessages(*buffer, *ring);
        device_test::TakeMessages(*ring, live);
    }
    EXPECT_TRUE(device_test::SameMessages(replayed.messages, live));
    EXPECT_TRUE(device_test::SameMessages(live, stream.messages));
}

}  // namespace

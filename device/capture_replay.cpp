// Replay of a capture file through the K-line byte buffer.
#include "device/capture_replay.h"

#include <algorithm>
#include <span>

#include <sys/stat.h>

namespace device {

void StartReplay(CaptureReplay &replay, const std::string &path, KlineByteRing &buffer) {
    replay.ReplayFile.reset();
    replay.ReplayFileName = path;
    buffer.Reset();
    replay.ReplayState = 0;
}

void StopReplay(CaptureReplay &replay) {
    replay.ReplayFile.reset();
    replay.ReplayState = 3;
}

namespace {

ReplayStepResult OpenFile(CaptureReplay &replay, KlineByteRing &buffer) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(replay.ReplayFileName.c_str(), "rb"));
    // Only a regular file has a length; a folder opens but reads nothing.
    struct stat status {};
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode) ||
        std::fseek(file.get(), 0, SEEK_END) != 0) {
        return ReplayStepResult::OpenFailed;
    }
    const long length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return ReplayStepResult::OpenFailed;
    replay.ReplayFile = std::move(file);
    replay.ReplayFileLength = length;
    replay.ReplayRemaining = length;
    replay.ReplayTaken = 0;
    // Bytes the live reader appended since the replay was started go as well.
    buffer.Reset();
    replay.ReplayState = 1;
    return ReplayStepResult::Progress;
}

ReplayStepResult TakeChunk(CaptureReplay &replay) {
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(replay.ReplayRemaining, kReplayChunkBytes));
    replay.ReplayLastChunk = replay.ReplayRemaining <= static_cast<std::int64_t>(kReplayChunkBytes);
    replay.ReplayChunkSize = std::fread(replay.ReplayChunk.data(), 1, wanted, replay.ReplayFile.get());
    // A file that shrank while it was replayed ends with what could be read.
    if (replay.ReplayChunkSize < wanted) replay.ReplayLastChunk = 1;
    replay.ReplayTaken += static_cast<std::int64_t>(replay.ReplayChunkSize);
    replay.ReplayRemaining -= static_cast<std::int64_t>(replay.ReplayChunkSize);
    replay.ReplayChunkFed = 0;
    replay.ReplayState = 2;
    return ReplayStepResult::ChunkTaken;
}

ReplayStepResult FeedChunk(CaptureReplay &replay, KlineByteRing &buffer) {
    const std::span<const std::uint8_t> chunk(replay.ReplayChunk.data(), replay.ReplayChunkSize);
    replay.ReplayChunkFed += buffer.Append(chunk.subspan(replay.ReplayChunkFed));
    if (replay.ReplayChunkFed == replay.ReplayChunkSize) replay.ReplayState = replay.ReplayLastChunk ? 3 : 1;
    return ReplayStepResult::Progress;
}

}  // namespace

ReplayStepResult ReplayStep(CaptureReplay &replay, KlineByteRing &buffer) {
    switch (replay.ReplayState) {
    case 0:
        return OpenFile(replay, buffer);
    case 1:
        return TakeChunk(replay);
    case 2:
        return FeedChunk(replay, buffer);
    default:
        if (!replay.ReplayFile) return ReplayStepResult::Idle;
        replay.ReplayFile.reset();
        return ReplayStepResult::Finished;
    }
}

}  // namespace device

#pragma once
// Replay of a capture file: the raw bytes of the interface channel, fed into the K-line byte
// buffer 100 bytes every second step, so they are framed exactly as if they arrived live. The
// file is streamed chunk by chunk; its size has no limit.
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "device/kline_framing.h"

namespace device {

inline constexpr std::size_t kReplayChunkBytes = 100;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

struct CaptureReplay {
    // 0 open the file, 1 take the next chunk, 2 feed the chunk, 3 finish (and, once the file is
    // closed, nothing running).
    std::uint8_t ReplayState = 3;
    std::unique_ptr<std::FILE, FileCloser> ReplayFile;
    std::string ReplayFileName;
    std::int64_t ReplayFileLength = 0;
    // Bytes not yet taken into a chunk, and bytes taken so far.
    std::int64_t ReplayRemaining = 0;
    std::int64_t ReplayTaken = 0;
    std::array<std::uint8_t, kReplayChunkBytes> ReplayChunk{};
    std::size_t ReplayChunkSize = 0;
    std::uint8_t ReplayLastChunk = 0;
    // Bytes of the chunk already in the byte buffer (a full buffer takes the rest later).
    std::size_t ReplayChunkFed = 0;
};

// What a replay step did, for the window to act on.
enum class ReplayStepResult {
    // Nothing is running (no replay started, or it was finished or stopped).
    Idle,
    // The file did not open (or its length is unknown): the replay ends; state stays 0.
    OpenFailed,
    // The file is open, or a chunk was fed (perhaps partly, when the byte buffer was full).
    Progress,
    // The next chunk was taken: live reading stops and framing runs.
    ChunkTaken,
    // The file is closed and the replay is over: live reading may resume on a connected channel.
    Finished,
};

// Starts a replay of `path`: closes a file still open from an earlier replay, clears the byte
// buffer and sets the state to open.
void StartReplay(CaptureReplay &replay, const std::string &path, KlineByteRing &buffer);
// Ends a running replay where it is and closes its file; later steps do nothing.
void StopReplay(CaptureReplay &replay);
// One step of the replay.
ReplayStepResult ReplayStep(CaptureReplay &replay, KlineByteRing &buffer);

}  // namespace device

#pragma once
// One scripted device of the simulator: what it sends (queued bytes, some due later), what it was
// sent, how it answers the identification exchange, and the faults set on it.
#include <array>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <optional>

#include "platform/d2xx/frames.h"

namespace d2xx {

enum class SimCall { kList, kStatus, kRead, kWrite };
inline constexpr std::size_t kSimCallKinds = 4;

class SimDevice {
public:
    explicit SimDevice(int kind);

    int kind() const { return kind_; }
    void SetIdentification(Bytes bytes) { identification_ = std::move(bytes); }
    void SetVersion(Bytes bytes) { version_ = std::move(bytes); }
    void SetReplyTiming(std::uint32_t delay, std::uint32_t fragmentBytes, std::uint32_t interval);
    void SetReplyLimit(std::uint32_t limit) { replyLimit_ = limit; }

    // Bytes the device sends, due at `due` (after everything due earlier or at the same time).
    void Send(std::uint64_t due, const Bytes &bytes);
    // Moves the bytes due by `now` to the readable queue and returns how many are readable.
    std::size_t Readable(std::uint64_t now);
    // Due time of the earliest byte not yet readable.
    std::optional<std::uint64_t> NextDue() const;
    // Takes up to `count` readable bytes into `out`; returns how many.
    std::size_t Take(std::uint8_t *out, std::size_t count);
    // Drops everything the device would still send.
    void DropQueued();

    // Logs bytes the program wrote at `now` and answers the requests among them.
    void Receive(const std::uint8_t *bytes, std::size_t count, std::uint64_t now);
    const Bytes &written() const { return written_; }
    std::uint64_t WriteTime(std::size_t index) const {
        return index < writtenAt_.size() ? writtenAt_[index] : 0;
    }
    void ClearWritten();

    // Counts a call of the kind; true when this call is the one set to fail.
    bool CountCall(SimCall call);
    void FailCall(SimCall call, std::uint32_t k);
    std::uint32_t Calls(SimCall call) const { return calls_[static_cast<std::size_t>(call)]; }

    bool present = true;
    bool open = false;
    bool failOpen = false;
    // Counts unplugs, so a handle opened before one is known to be dead.
    std::uint32_t connection = 0;
    std::uint32_t readTimeout = 0;
    std::uint32_t writeTimeout = 0;

private:
    void Reply(const Bytes &reply, std::uint64_t now);

    int kind_;
    Bytes identification_;
    Bytes version_;
    std::uint32_t replyDelay_ = 0;
    std::uint32_t fragmentBytes_ = 0;
    std::uint32_t fragmentInterval_ = 0;
    std::uint32_t replyLimit_ = std::numeric_limits<std::uint32_t>::max();
    std::optional<std::uint8_t> lastReceived_;

    std::deque<std::uint8_t> readable_;
    std::multimap<std::uint64_t, Bytes> scheduled_;
    Bytes written_;
    std::vector<std::uint64_t> writtenAt_;
    std::array<std::uint32_t, kSimCallKinds> calls_{};
    std::array<std::uint32_t, kSimCallKinds> failAt_{};  // 0: no failure set
};

// Counts calls and failures of FT_ListDevices, which belong to no device.
bool CountAndCheckFailure(std::uint32_t &calls, std::uint32_t &failAt);

}  // namespace d2xx

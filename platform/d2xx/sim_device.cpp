#include "platform/d2xx/sim_device.h"

#include <algorithm>
#include <string>

#include "platform/d2xx/sim_control.h"

namespace d2xx {
namespace {

constexpr std::uint8_t kIdentifyPrefix = 0x02;
constexpr std::uint8_t kIdentifyRequest = 0x0B;
constexpr std::uint8_t kVersionRequest = 'D';

Bytes TextBytes(const std::string &text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace

bool CountAndCheckFailure(std::uint32_t &calls, std::uint32_t &failAt) {
    ++calls;
    if (failAt == 0 || calls != failAt) return false;
    failAt = 0;
    return true;
}

SimDevice::SimDevice(int kind)
    : kind_(kind),
      identification_(TextBytes("SIM-01" + std::string(1, static_cast<char>(kind)) + "001")),
      version_(TextBytes("SIMV1.00")) {}

void SimDevice::SetReplyTiming(std::uint32_t delay, std::uint32_t fragmentBytes, std::uint32_t interval) {
    replyDelay_ = delay;
    fragmentBytes_ = fragmentBytes;
    fragmentInterval_ = interval;
}

void SimDevice::Send(std::uint64_t due, const Bytes &bytes) {
    if (!bytes.empty()) scheduled_.emplace(due, bytes);
}

std::size_t SimDevice::Readable(std::uint64_t now) {
    auto it = scheduled_.begin();
    for (; it != scheduled_.end() && it->first <= now; ++it) {
        readable_.insert(readable_.end(), it->second.begin(), it->second.end());
    }
    scheduled_.erase(scheduled_.begin(), it);
    return readable_.size();
}

std::optional<std::uint64_t> SimDevice::NextDue() const {
    if (scheduled_.empty()) return std::nullopt;
    return scheduled_.begin()->first;
}

std::size_t SimDevice::Take(std::uint8_t *out, std::size_t count) {
    const std::size_t taken = std::min(count, readable_.size());
    std::copy_n(readable_.begin(), taken, out);
    readable_.erase(readable_.begin(), readable_.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

void SimDevice::DropQueued() {
    readable_.clear();
    scheduled_.clear();
}

void SimDevice::Receive(const std::uint8_t *bytes, std::size_t count, std::uint64_t now) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        written_.push_back(byte);
        writtenAt_.push_back(now);
        if (kind_ != SIM_KIND_SILENT) {
            if (byte == kIdentifyRequest && lastReceived_ == kIdentifyPrefix) Reply(identification_, now);
            const bool hasVersion = kind_ == SIM_KIND_INTERFACE || kind_ == SIM_KIND_PROGRAMMER;
            if (byte == kVersionRequest && hasVersion) Reply(version_, now);
        }
        lastReceived_ = byte;
    }
}

void SimDevice::ClearWritten() {
    written_.clear();
    writtenAt_.clear();
}

void SimDevice::Reply(const Bytes &reply, std::uint64_t now) {
    const std::size_t length = std::min<std::size_t>(reply.size(), replyLimit_);
    const std::size_t piece = fragmentBytes_ == 0 ? std::max<std::size_t>(length, 1) : fragmentBytes_;
    std::uint64_t due = now + replyDelay_;
    for (std::size_t start = 0; start < length; start += piece, due += fragmentInterval_) {
        const std::size_t end = std::min(length, start + piece);
        Send(due, Bytes(reply.begin() + static_cast<std::ptrdiff_t>(start),
                        reply.begin() + static_cast<std::ptrdiff_t>(end)));
    }
}

bool SimDevice::CountCall(SimCall call) {
    const auto index = static_cast<std::size_t>(call);
    return CountAndCheckFailure(calls_[index], failAt_[index]);
}

void SimDevice::FailCall(SimCall call, std::uint32_t k) {
    const auto index = static_cast<std::size_t>(call);
    failAt_[index] = k == 0 ? 0 : calls_[index] + k;
}

}  // namespace d2xx

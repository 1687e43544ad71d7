// The simulator's exported functions: the D2XX interface and the control interface of tests.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/d2xx/export.h"
#include "platform/d2xx/frames.h"
#include "platform/d2xx/sim_bus.h"

using d2xx::Bytes;
using d2xx::SimCall;
using d2xx::SimDevice;
using d2xx::TheSimBus;

namespace {

bool KnownCall(int call) {
    return call >= SIM_CALL_LIST && call <= SIM_CALL_WRITE;
}

int PushNow(int dev, const Bytes &bytes) {
    const std::uint64_t now = TheSimBus().Now();
    return TheSimBus().WithDevice(dev, [&](SimDevice &device) { device.Send(now, bytes); });
}

Bytes Copy(const std::uint8_t *bytes, std::size_t length) {
    return length == 0 ? Bytes{} : Bytes(bytes, bytes + length);
}

}  // namespace

D2XX_EXPORT FT_STATUS FT_ListDevices(void *arg1, void *arg2, uint32_t flags) {
    return TheSimBus().ListDevices(arg1, arg2, flags);
}
D2XX_EXPORT FT_STATUS FT_Open(int deviceNumber, FT_HANDLE *handle) {
    return TheSimBus().Open(deviceNumber, handle);
}
D2XX_EXPORT FT_STATUS FT_Close(FT_HANDLE handle) {
    return TheSimBus().Close(handle);
}
D2XX_EXPORT FT_STATUS FT_SetTimeouts(FT_HANDLE handle, uint32_t readTimeout, uint32_t writeTimeout) {
    return TheSimBus().SetTimeouts(handle, readTimeout, writeTimeout);
}
D2XX_EXPORT FT_STATUS FT_GetStatus(FT_HANDLE handle, uint32_t *rxBytes, uint32_t *txBytes,
                                   uint32_t *eventStatus) {
    return TheSimBus().GetStatus(handle, rxBytes, txBytes, eventStatus);
}
D2XX_EXPORT FT_STATUS FT_Read(FT_HANDLE handle, void *buffer, uint32_t bytesToRead, uint32_t *bytesReturned) {
    return TheSimBus().Read(handle, buffer, bytesToRead, bytesReturned);
}
D2XX_EXPORT FT_STATUS FT_Write(FT_HANDLE handle, const void *buffer, uint32_t bytesToWrite,
                               uint32_t *bytesWritten) {
    return TheSimBus().Write(handle, buffer, bytesToWrite, bytesWritten);
}
D2XX_EXPORT FT_STATUS FT_ClrRts(FT_HANDLE handle) {
    return TheSimBus().ClrRts(handle);
}

D2XX_EXPORT void sim_reset(void) {
    TheSimBus().Reset();
}
D2XX_EXPORT void sim_set_clock(sim_clock_fn now, sim_sleep_fn sleep) {
    TheSimBus().SetClock(now, sleep);
}
D2XX_EXPORT void sim_set_key_input(int fd) {
    TheSimBus().SetKeyInput(fd);
}
D2XX_EXPORT int sim_add_device(int kind) {
    return TheSimBus().AddDevice(kind);
}

D2XX_EXPORT int sim_set_identification(int dev, const uint8_t *bytes, size_t length) {
    return TheSimBus().WithDevice(dev,
                                  [&](SimDevice &device) { device.SetIdentification(Copy(bytes, length)); });
}

D2XX_EXPORT int sim_set_version(int dev, const uint8_t *bytes, size_t length) {
    return TheSimBus().WithDevice(dev, [&](SimDevice &device) { device.SetVersion(Copy(bytes, length)); });
}

D2XX_EXPORT int sim_set_reply_timing(int dev, uint32_t delay_ms, uint32_t fragment_bytes,
                                     uint32_t interval_ms) {
    return TheSimBus().WithDevice(
        dev, [&](SimDevice &device) { device.SetReplyTiming(delay_ms, fragment_bytes, interval_ms); });
}

D2XX_EXPORT int sim_set_reply_limit(int dev, uint32_t limit) {
    return TheSimBus().WithDevice(dev, [&](SimDevice &device) { device.SetReplyLimit(limit); });
}

D2XX_EXPORT int sim_push(int dev, const uint8_t *bytes, size_t length) {
    return PushNow(dev, Copy(bytes, length));
}

D2XX_EXPORT int sim_push_kline(int dev, uint8_t source, const uint8_t *data, size_t length) {
    if (length > d2xx::kKlineMaxData) return -1;
    return PushNow(dev, d2xx::EncodeKlineFrame(source, Copy(data, length)));
}

D2XX_EXPORT int sim_push_record(int dev, const uint8_t *payload, size_t length) {
    if (length > d2xx::kRecordMaxPayload) return -1;
    return PushNow(dev, d2xx::EncodeMeterRecord(Copy(payload, length)));
}

D2XX_EXPORT int sim_push_file(int dev, const char *path) {
    std::ifstream file(path != nullptr ? path : "", std::ios::binary);
    if (!file) return -1;
    const Bytes bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return -1;
    return PushNow(dev, bytes);
}

D2XX_EXPORT size_t sim_rx_queued(int dev) {
    const std::uint64_t now = TheSimBus().Now();
    std::size_t queued = 0;
    TheSimBus().WithDevice(dev, [&](SimDevice &device) { queued = device.Readable(now); });
    return queued;
}

D2XX_EXPORT size_t sim_written(int dev, uint8_t *buffer, size_t capacity) {
    std::size_t total = 0;
    TheSimBus().WithDevice(dev, [&](SimDevice &device) {
        const Bytes &written = device.written();
        total = written.size();
        if (buffer != nullptr) std::copy_n(written.begin(), std::min(capacity, total), buffer);
    });
    return total;
}

D2XX_EXPORT uint64_t sim_write_time(int dev, size_t index) {
    std::uint64_t time = 0;
    TheSimBus().WithDevice(dev, [&](SimDevice &device) { time = device.WriteTime(index); });
    return time;
}

D2XX_EXPORT int sim_clear_written(int dev) {
    return TheSimBus().WithDevice(dev, [](SimDevice &device) { device.ClearWritten(); });
}

D2XX_EXPORT int sim_fail_open(int dev, int fail) {
    return TheSimBus().WithDevice(dev, [&](SimDevice &device) { device.failOpen = fail != 0; });
}

D2XX_EXPORT int sim_fail_call(int dev, int call, uint32_t k) {
    if (!KnownCall(call)) return -1;
    if (call == SIM_CALL_LIST) {
        TheSimBus().FailList(k);
        return 0;
    }
    return TheSimBus().WithDevice(dev,
                                  [&](SimDevice &device) { device.FailCall(static_cast<SimCall>(call), k); });
}

D2XX_EXPORT int sim_unplug(int dev) {
    return TheSimBus().WithDevice(dev, [](SimDevice &device) {
        if (!device.present) return;
        device.present = false;
        device.open = false;
        ++device.connection;
        device.DropQueued();
    });
}

D2XX_EXPORT int sim_replug(int dev) {
    return TheSimBus().WithDevice(dev, [](SimDevice &device) {
        if (device.present) return;
        device.present = true;
        device.DropQueued();
    });
}

D2XX_EXPORT int sim_is_open(int dev) {
    int open = -1;
    TheSimBus().WithDevice(dev, [&](SimDevice &device) { open = device.open ? 1 : 0; });
    return open;
}

D2XX_EXPORT uint32_t sim_call_count(int dev, int call) {
    if (call == SIM_CALL_LIST) return TheSimBus().ListCalls();
    std::uint32_t count = 0;
    if (KnownCall(call)) {
        TheSimBus().WithDevice(dev,
                               [&](SimDevice &device) { count = device.Calls(static_cast<SimCall>(call)); });
    }
    return count;
}

D2XX_EXPORT int sim_timeouts(int dev, uint32_t *read_timeout, uint32_t *write_timeout) {
    return TheSimBus().WithDevice(dev, [&](SimDevice &device) {
        if (read_timeout != nullptr) *read_timeout = device.readTimeout;
        if (write_timeout != nullptr) *write_timeout = device.writeTimeout;
    });
}

D2XX_EXPORT uint32_t sim_invalid_handle_calls(void) {
    return TheSimBus().InvalidHandleCalls();
}

#pragma once
// The simulator's state: its devices, the open handles, the clock, and the D2XX calls on them.
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/d2xx/d2xx_api.h"
#include "platform/d2xx/handle_table.h"
#include "platform/d2xx/sim_control.h"
#include "platform/d2xx/sim_device.h"
#include "platform/d2xx/sim_scenario.h"

namespace d2xx {

class SimBus {
public:
    SimBus();

    FT_STATUS ListDevices(void *arg1, void *arg2, std::uint32_t flags);
    FT_STATUS Open(int index, FT_HANDLE *handle);
    FT_STATUS Close(FT_HANDLE handle);
    FT_STATUS SetTimeouts(FT_HANDLE handle, std::uint32_t readTimeout, std::uint32_t writeTimeout);
    FT_STATUS GetStatus(FT_HANDLE handle, std::uint32_t *rx, std::uint32_t *tx, std::uint32_t *events);
    FT_STATUS Read(FT_HANDLE handle, void *buffer, std::uint32_t count, std::uint32_t *read);
    FT_STATUS Write(FT_HANDLE handle, const void *buffer, std::uint32_t count, std::uint32_t *written);
    FT_STATUS ClrRts(FT_HANDLE handle);

    void Reset();
    void SetClock(sim_clock_fn now, sim_sleep_fn sleep);
    // The descriptor whose Enter key releases a scenario's wait (standard input unless set).
    void SetKeyInput(int fd);
    int AddDevice(int kind);
    std::uint64_t Now() const { return now_(); }
    std::uint32_t InvalidHandleCalls();
    std::uint32_t ListCalls();
    void FailList(std::uint32_t k);

    // Runs `action` on the device under the bus lock; -1 for an unknown device.
    template <typename Action>
    int WithDevice(int dev, Action action) {
        std::lock_guard lock(mutex_);
        if (dev < 0 || static_cast<std::size_t>(dev) >= devices_.size()) return -1;
        action(devices_[static_cast<std::size_t>(dev)]);
        return 0;
    }

private:
    struct Connection {
        std::size_t device;
        std::uint32_t connection;
    };

    // The device behind an open handle, counting a call on a bad handle; nullptr then. `status` is
    // set to the failure to return: FT_INVALID_HANDLE, or FT_IO_ERROR for an unplugged device.
    SimDevice *Device(FT_HANDLE handle, FT_STATUS &status);
    // Like Device, for calls that can be made to fail.
    SimDevice *CountedDevice(FT_HANDLE handle, SimCall call, FT_STATUS &status);

    // The scenario plays from the program's first request for devices: loaded then, its items
    // queued up to its first wait, the rest queued when the officer presses Enter.
    void LoadScenario();
    void QueueScenarioUpToWait();
    void PlayScenario(std::uint64_t now);
    // What was typed on the key input since the last look; nobody can answer a closed input, so
    // a wait goes on at once.
    enum class KeyInput { kNothing, kEnter, kClosed };
    KeyInput ReadKeys();

    std::mutex mutex_;
    std::vector<SimDevice> devices_;
    HandleTable<Connection> handles_;
    std::uint32_t invalidHandleCalls_ = 0;
    std::uint32_t listCalls_ = 0;
    std::uint32_t listFailAt_ = 0;
    sim_clock_fn now_;
    sim_sleep_fn sleep_;

    bool scenarioLoaded_ = false;
    std::vector<ScenarioStep> scenario_;
    std::size_t scenarioNext_ = 0;      // the first step not queued yet: a wait, or the end
    std::uint64_t scenarioOrigin_ = 0;  // clock time of a step's `at` 0 for the queued steps
    bool waitShown_ = false;
    int scenarioInterface_ = -1, scenarioMeter_ = -1;
    int keyInput_ = 0;
};

SimBus &TheSimBus();

}  // namespace d2xx

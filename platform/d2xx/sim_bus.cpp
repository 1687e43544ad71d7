#include "platform/d2xx/sim_bus.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/d2xx/sim_scenario.h"

namespace d2xx {
namespace {

std::uint64_t MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

void RealSleep(std::uint32_t milliseconds) {
    timespec pause{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0) {
    }
}

}  // namespace

SimBus &TheSimBus() {
    static SimBus bus;
    return bus;
}

SimBus::SimBus() : now_(MonotonicMilliseconds), sleep_(RealSleep) {}

void SimBus::Reset() {
    std::lock_guard lock(mutex_);
    devices_.clear();
    handles_.Clear();
    invalidHandleCalls_ = 0;
    listCalls_ = 0;
    listFailAt_ = 0;
    scenarioLoaded_ = false;
    scenario_.clear();
    scenarioNext_ = 0;
    waitShown_ = false;
}

void SimBus::SetKeyInput(int fd) {
    std::lock_guard lock(mutex_);
    keyInput_ = fd;
}

// The scenario named by the environment, or the one beside the station's tables; none when
// neither is there. A scenario that does not parse is reported and left out.
void SimBus::LoadScenario() {
    scenarioLoaded_ = true;
    const char *named = std::getenv(kScenarioVariable);
    const std::string path = named != nullptr && *named != '\0' ? named : kScenarioFileName;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (named != nullptr && *named != '\0') std::cerr << path << ": the scenario cannot be read\n";
        return;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::string error;
    if (!ParseScenario(text, scenario_, error)) {
        std::cerr << path << ": " << error << "\n";
        return;
    }
    devices_.emplace_back(SIM_KIND_INTERFACE);
    scenarioInterface_ = static_cast<int>(devices_.size() - 1);
    devices_.emplace_back(SIM_KIND_METER);
    scenarioMeter_ = static_cast<int>(devices_.size() - 1);
    scenarioNext_ = 0;
    scenarioOrigin_ = now_() + kScenarioStartMs;
    QueueScenarioUpToWait();
}

void SimBus::QueueScenarioUpToWait() {
    for (; scenarioNext_ < scenario_.size() && !scenario_[scenarioNext_].wait; ++scenarioNext_) {
        const ScenarioStep &step = scenario_[scenarioNext_];
        devices_[static_cast<std::size_t>(step.meter ? scenarioMeter_ : scenarioInterface_)].Send(
            scenarioOrigin_ + step.at, step.bytes);
    }
}

void SimBus::PlayScenario(std::uint64_t now) {
    if (scenarioNext_ >= scenario_.size()) return;
    const ScenarioStep &wait = scenario_[scenarioNext_];
    if (now < scenarioOrigin_ + wait.at) return;
    const KeyInput typed = ReadKeys();
    if (!waitShown_) {
        waitShown_ = true;
        std::cerr << "\nsimulator: " << (wait.prompt.empty() ? "the scenario waits" : wait.prompt)
                  << "\nsimulator: press Enter here to go on\n";
        // An Enter pressed before the question does not answer it.
        if (typed != KeyInput::kClosed) return;
    } else if (typed == KeyInput::kNothing) {
        return;
    }
    waitShown_ = false;
    scenarioOrigin_ = now - wait.at;
    ++scenarioNext_;
    QueueScenarioUpToWait();
}

SimBus::KeyInput SimBus::ReadKeys() {
    KeyInput result = KeyInput::kNothing;
    pollfd input{keyInput_, POLLIN, 0};
    while (poll(&input, 1, 0) == 1) {
        char typed[256];
        const ssize_t got = read(keyInput_, typed, sizeof typed);
        if (got <= 0) return KeyInput::kClosed;
        if (std::find(typed, typed + got, '\n') != typed + got) result = KeyInput::kEnter;
    }
    return result;
}

void SimBus::SetClock(sim_clock_fn now, sim_sleep_fn sleep) {
    std::lock_guard lock(mutex_);
    if (now == nullptr) {
        now_ = MonotonicMilliseconds;
        sleep_ = RealSleep;
    } else {
        now_ = now;
        sleep_ = sleep;
    }
}

int SimBus::AddDevice(int kind) {
    std::lock_guard lock(mutex_);
    devices_.emplace_back(kind);
    return static_cast<int>(devices_.size() - 1);
}

std::uint32_t SimBus::InvalidHandleCalls() {
    std::lock_guard lock(mutex_);
    return invalidHandleCalls_;
}

std::uint32_t SimBus::ListCalls() {
    std::lock_guard lock(mutex_);
    return listCalls_;
}

void SimBus::FailList(std::uint32_t k) {
    std::lock_guard lock(mutex_);
    listFailAt_ = k == 0 ? 0 : listCalls_ + k;
}

SimDevice *SimBus::Device(FT_HANDLE handle, FT_STATUS &status) {
    const Connection *connection = handles_.Find(handle);
    if (connection == nullptr) {
        ++invalidHandleCalls_;
        status = FT_INVALID_HANDLE;
        return nullptr;
    }
    SimDevice &device = devices_[connection->device];
    if (device.connection != connection->connection) {
        status = FT_IO_ERROR;
        return nullptr;
    }
    return &device;
}

SimDevice *SimBus::CountedDevice(FT_HANDLE handle, SimCall call, FT_STATUS &status) {
    SimDevice *device = Device(handle, status);
    if (device != nullptr && device->CountCall(call)) {
        status = FT_IO_ERROR;
        return nullptr;
    }
    return device;
}

FT_STATUS SimBus::ListDevices(void *arg1, void *, std::uint32_t flags) {
    std::lock_guard lock(mutex_);
    if (!scenarioLoaded_) LoadScenario();
    PlayScenario(now_());
    if (arg1 == nullptr || flags != FT_LIST_NUMBER_ONLY) return FT_INVALID_PARAMETER;
    if (CountAndCheckFailure(listCalls_, listFailAt_)) return FT_IO_ERROR;
    const auto plugged =
        std::count_if(devices_.begin(), devices_.end(), [](const SimDevice &d) { return d.present; });
    *static_cast<std::uint32_t *>(arg1) = static_cast<std::uint32_t>(plugged);
    return FT_OK;
}

FT_STATUS SimBus::Open(int index, FT_HANDLE *handle) {
    std::lock_guard lock(mutex_);
    if (handle == nullptr) return FT_INVALID_PARAMETER;
    int position = 0;
    for (std::size_t dev = 0; dev < devices_.size(); ++dev) {
        SimDevice &device = devices_[dev];
        if (!device.present || position++ != index) continue;
        if (device.open || device.failOpen) return FT_DEVICE_NOT_OPENED;
        device.open = true;
        *handle = handles_.Add(Connection{dev, device.connection});
        return FT_OK;
    }
    return FT_DEVICE_NOT_FOUND;
}

FT_STATUS SimBus::Close(FT_HANDLE handle) {
    std::lock_guard lock(mutex_);
    const Connection *connection = handles_.Find(handle);
    if (connection == nullptr) {
        ++invalidHandleCalls_;
        return FT_INVALID_HANDLE;
    }
    SimDevice &device = devices_[connection->device];
    // A handle left over from before an unplug no longer owns the device.
    if (device.connection == connection->connection) device.open = false;
    handles_.Remove(handle);
    return FT_OK;
}

FT_STATUS SimBus::SetTimeouts(FT_HANDLE handle, std::uint32_t readTimeout, std::uint32_t writeTimeout) {
    std::lock_guard lock(mutex_);
    FT_STATUS status = FT_OK;
    SimDevice *device = Device(handle, status);
    if (device == nullptr) return status;
    device->readTimeout = readTimeout;
    device->writeTimeout = writeTimeout;
    return FT_OK;
}

FT_STATUS SimBus::GetStatus(FT_HANDLE handle, std::uint32_t *rx, std::uint32_t *tx, std::uint32_t *events) {
    std::lock_guard lock(mutex_);
    PlayScenario(now_());
    FT_STATUS status = FT_OK;
    SimDevice *device = CountedDevice(handle, SimCall::kStatus, status);
    if (device == nullptr) return status;
    if (rx == nullptr || tx == nullptr || events == nullptr) return FT_INVALID_PARAMETER;
    *rx = static_cast<std::uint32_t>(device->Readable(now_()));
    *tx = 0;
    *events = 0;
    return FT_OK;
}

FT_STATUS SimBus::Read(FT_HANDLE handle, void *buffer, std::uint32_t count, std::uint32_t *read) {
    std::unique_lock lock(mutex_);
    if (read != nullptr) *read = 0;
    FT_STATUS status = FT_OK;
    SimDevice *device = CountedDevice(handle, SimCall::kRead, status);
    if (device == nullptr) return status;
    if (read == nullptr || (buffer == nullptr && count > 0)) return FT_INVALID_PARAMETER;
    auto *out = static_cast<std::uint8_t *>(buffer);
    const std::uint64_t deadline = now_() + device->readTimeout;
    std::uint32_t got = 0;
    for (;;) {
        const std::uint64_t now = now_();
        device->Readable(now);
        got += static_cast<std::uint32_t>(device->Take(out + got, count - got));
        if (got == count || sleep_ == nullptr || now >= deadline) break;
        // Sleep until the next byte is due or the time-out passes, whichever comes first.
        const std::uint64_t wake = std::min(deadline, device->NextDue().value_or(deadline));
        const sim_sleep_fn sleep = sleep_;
        lock.unlock();
        sleep(static_cast<std::uint32_t>(std::max<std::uint64_t>(wake - now, 1)));
        lock.lock();
        // A clock that does not move would wait for ever; the handle may be gone as well.
        device = Device(handle, status);
        if (device == nullptr) break;
        if (now_() <= now) break;
    }
    *read = got;
    return status;
}

FT_STATUS SimBus::Write(FT_HANDLE handle, const void *buffer, std::uint32_t count, std::uint32_t *written) {
    std::lock_guard lock(mutex_);
    if (written != nullptr) *written = 0;
    FT_STATUS status = FT_OK;
    SimDevice *device = CountedDevice(handle, SimCall::kWrite, status);
    if (device == nullptr) return status;
    if (written == nullptr || (buffer == nullptr && count > 0)) return FT_INVALID_PARAMETER;
    device->Receive(static_cast<const std::uint8_t *>(buffer), count, now_());
    *written = count;
    return FT_OK;
}

FT_STATUS SimBus::ClrRts(FT_HANDLE handle) {
    std::lock_guard lock(mutex_);
    FT_STATUS status = FT_OK;
    return Device(handle, status) != nullptr ? FT_OK : status;
}

}  // namespace d2xx

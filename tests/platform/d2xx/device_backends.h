#pragma once
// The two device libraries behind one test interface, so the same conformance tests run against
// the simulator and against the station library on pseudo-terminals standing in for ttyUSB devices.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/d2xx/frames.h"
#include "platform/d2xx/loader.h"
#include "platform/d2xx/temporary_folder.h"

namespace d2xx_test {

using d2xx::Bytes;

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    const d2xx::FtApi &Api() const { return library_.Api(); }

    // Attaches a device that sends nothing by itself; returns its number (0, 1, ...).
    virtual int Attach() = 0;
    // Bytes the device sends to the host.
    virtual void Send(int dev, const Bytes &bytes) = 0;
    // Bytes the device has received from the host, waiting up to a second for `expected` of them.
    virtual Bytes Received(int dev, std::size_t expected) = 0;
    virtual void Unplug(int dev) = 0;
    virtual void Replug(int dev) = 0;

protected:
    d2xx::Library library_;
};

// A fake sysfs tree: ttyUSB entries under class/tty that lead to a USB device with a vendor id,
// and device nodes under dev/ that are symbolic links to whatever the test names.
class FakeSysfs {
public:
    explicit FakeSysfs(const std::filesystem::path &root);
    std::string sysfsRoot() const { return (root_ / "sys").string(); }
    std::string devRoot() const { return (root_ / "dev").string(); }
    // Adds class/tty/<name> on a USB device of `vendor`, and dev/<name> linking to `node`.
    void AddTty(const std::string &name, const std::string &vendor, const std::string &node);
    void RemoveTty(const std::string &name);

private:
    std::filesystem::path root_;
    int usbDevices_ = 0;
};

// One pseudo-terminal pair: the test holds the master side, the library opens the slave side.
struct Pty {
    int master = -1;
    std::string slave;
};

// The station library with discovery pointed at a fake sysfs tree whose ttyUSB devices are
// pseudo-terminals.
class StationBackend : public DeviceBackend {
public:
    StationBackend();
    ~StationBackend() override;

    int Attach() override;
    void Send(int dev, const Bytes &bytes) override;
    Bytes Received(int dev, std::size_t expected) override;
    void Unplug(int dev) override;
    void Replug(int dev) override;
    // The node the library opens for the device.
    std::string DeviceNode(int dev) const { return ptys_.at(static_cast<std::size_t>(dev)).slave; }

private:
    Pty Plug(int dev);

    TemporaryFolder folder_;
    FakeSysfs sysfs_;
    std::vector<Pty> ptys_;
    std::map<int, Bytes> received_;
    void (*setRoots_)(const char *, const char *) = nullptr;
};

// The simulator on the real clock, so time-outs are measured as with the station library.
std::unique_ptr<DeviceBackend> MakeSimulatorBackend();
std::unique_ptr<DeviceBackend> MakeStationBackend();

}  // namespace d2xx_test

#include "device_backends.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>

#include "platform/d2xx/sim_control.h"
#include "platform/d2xx/station_control.h"

namespace d2xx_test {
namespace {

namespace fs = std::filesystem;

void Require(bool condition, const std::string &what) {
    if (!condition) throw std::runtime_error(what);
}

class SimulatorBackend : public DeviceBackend {
public:
    SimulatorBackend() {
        Require(library_.Load(D2XX_SIM_LIBRARY), library_.Error());
        sim_reset();
        sim_set_clock(nullptr, nullptr);
    }
    ~SimulatorBackend() override { sim_reset(); }

    int Attach() override { return sim_add_device(SIM_KIND_SILENT); }
    void Send(int dev, const Bytes &bytes) override { sim_push(dev, bytes.data(), bytes.size()); }
    Bytes Received(int dev, std::size_t) override {
        Bytes bytes(sim_written(dev, nullptr, 0));
        sim_written(dev, bytes.data(), bytes.size());
        return bytes;
    }
    void Unplug(int dev) override { sim_unplug(dev); }
    void Replug(int dev) override { sim_replug(dev); }
};

Pty OpenPty() {
    Pty pty;
    pty.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    Require(pty.master >= 0 && grantpt(pty.master) == 0 && unlockpt(pty.master) == 0, "no pseudo-terminal");
    pty.slave = ptsname(pty.master);
    return pty;
}

std::string TtyName(int dev) {
    return "ttyUSB" + std::to_string(dev);
}

}  // namespace

std::unique_ptr<DeviceBackend> MakeSimulatorBackend() {
    return std::make_unique<SimulatorBackend>();
}
std::unique_ptr<DeviceBackend> MakeStationBackend() {
    return std::make_unique<StationBackend>();
}

StationBackend::StationBackend() : sysfs_(folder_.path()) {
    Require(library_.Load(D2XX_STATION_LIBRARY), library_.Error());
    void *handle = dlopen(D2XX_STATION_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    Require(handle != nullptr, "station library not loaded");
    setRoots_ = reinterpret_cast<decltype(&d2xx_station_set_roots)>(dlsym(handle, "d2xx_station_set_roots"));
    dlclose(handle);
    Require(setRoots_ != nullptr, "d2xx_station_set_roots missing");
    setRoots_(sysfs_.sysfsRoot().c_str(), sysfs_.devRoot().c_str());
}

StationBackend::~StationBackend() {
    setRoots_(nullptr, nullptr);
    for (const Pty &pty : ptys_) {
        if (pty.master >= 0) close(pty.master);
    }
}

int StationBackend::Attach() {
    ptys_.push_back(Plug(static_cast<int>(ptys_.size())));
    return static_cast<int>(ptys_.size() - 1);
}

void StationBackend::Send(int dev, const Bytes &bytes) {
    Require(write(ptys_.at(dev).master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()),
            "write to pseudo-terminal");
}

Bytes StationBackend::Received(int dev, std::size_t expected) {
    Bytes &received = received_[dev];
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (received.size() < expected && std::chrono::steady_clock::now() < until) {
        pollfd wait{ptys_.at(dev).master, POLLIN, 0};
        if (poll(&wait, 1, 10) <= 0 || (wait.revents & POLLIN) == 0) continue;
        std::uint8_t chunk[256];
        const ssize_t got = read(wait.fd, chunk, sizeof chunk);
        if (got > 0) received.insert(received.end(), chunk, chunk + got);
    }
    return received;
}

void StationBackend::Unplug(int dev) {
    close(ptys_.at(dev).master);
    ptys_.at(dev).master = -1;
    sysfs_.RemoveTty(TtyName(dev));
}

void StationBackend::Replug(int dev) {
    ptys_.at(dev) = Plug(dev);
}

Pty StationBackend::Plug(int dev) {
    Pty pty = OpenPty();
    sysfs_.AddTty(TtyName(dev), "0403", pty.slave);
    return pty;
}

FakeSysfs::FakeSysfs(const fs::path &root) : root_(root) {
    fs::create_directories(root_ / "sys" / "class" / "tty");
    fs::create_directories(root_ / "dev");
}

void FakeSysfs::AddTty(const std::string &name, const std::string &vendor, const std::string &node) {
    // devices/usb1/1-N/{idVendor, 1-N:1.0/<name>/tty/<name>}, as the kernel lays out a USB-serial port.
    const std::string usb = "1-" + std::to_string(++usbDevices_);
    const fs::path device = root_ / "sys" / "devices" / "usb1" / usb;
    const fs::path tty = device / (usb + ":1.0") / name / "tty" / name;
    fs::create_directories(tty);
    std::ofstream(device / "idVendor") << vendor << '\n';
    fs::create_directory_symlink(fs::relative(tty, root_ / "sys" / "class" / "tty"),
                                 root_ / "sys" / "class" / "tty" / name);
    fs::create_symlink(node, root_ / "dev" / name);
}

void FakeSysfs::RemoveTty(const std::string &name) {
    fs::remove(root_ / "sys" / "class" / "tty" / name);
    fs::remove(root_ / "dev" / name);
}

}  // namespace d2xx_test

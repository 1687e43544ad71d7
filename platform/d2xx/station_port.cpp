#include "platform/d2xx/station_port.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <utility>

namespace d2xx {
namespace {

bool HungUp(short revents) {
    return (revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// Moves up to `count` bytes with `step` (a read or a write of the rest), waiting for the device
// with `events` while it is not ready, until all are moved or `timeout` milliseconds passed. A
// device that is gone (hang-up, I/O error, end of file) fails with FT_IO_ERROR.
template <typename Step>
FT_STATUS Transfer(int fd, std::uint32_t count, std::uint32_t timeout, short events, std::uint32_t &moved,
                   Step step) {
    using Clock = std::chrono::steady_clock;
    moved = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout);
    while (moved < count) {
        const ssize_t done = step(moved, count - moved);
        if (done > 0) {
            moved += static_cast<std::uint32_t>(done);
            continue;
        }
        if (done == 0 || (errno != EAGAIN && errno != EINTR)) return FT_IO_ERROR;
        if (errno == EINTR) continue;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd wait{fd, events, 0};
        const int ready = poll(&wait, 1, static_cast<int>(left.count()));
        if (ready > 0 && HungUp(wait.revents) && (wait.revents & events) == 0) return FT_IO_ERROR;
    }
    return FT_OK;
}

}  // namespace

SerialPort::SerialPort(SerialPort &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      readTimeout_(other.readTimeout_),
      writeTimeout_(other.writeTimeout_) {}

SerialPort &SerialPort::operator=(SerialPort &&other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        readTimeout_ = other.readTimeout_;
        writeTimeout_ = other.writeTimeout_;
    }
    return *this;
}

SerialPort::~SerialPort() {
    Release();
}

void SerialPort::Release() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

FT_STATUS SerialPort::Open(const std::string &node) {
    Release();
    const int fd = open(node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FT_DEVICE_NOT_OPENED;
    // The lock makes a second open of the same device fail, in this process and in any other.
    termios settings{};
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &settings) != 0) {
        close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    // Raw bytes both ways: no line editing, echo, signals or character translation.
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    // With VMIN 1 a non-blocking read of an empty queue fails with EAGAIN; 0 bytes then only
    // means the device is gone.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        close(fd);
        return FT_DEVICE_NOT_OPENED;
    }
    fd_ = fd;
    return FT_OK;
}

void SerialPort::SetTimeouts(std::uint32_t readTimeout, std::uint32_t writeTimeout) {
    readTimeout_ = readTimeout;
    writeTimeout_ = writeTimeout;
}

FT_STATUS SerialPort::Status(std::uint32_t &rx, std::uint32_t &tx) const {
    pollfd check{fd_, POLLIN, 0};
    if (poll(&check, 1, 0) < 0 || HungUp(check.revents)) return FT_IO_ERROR;
    int queued = 0;
    int pending = 0;
    if (ioctl(fd_, FIONREAD, &queued) != 0 || ioctl(fd_, TIOCOUTQ, &pending) != 0) return FT_IO_ERROR;
    rx = static_cast<std::uint32_t>(queued);
    tx = static_cast<std::uint32_t>(pending);
    return FT_OK;
}

FT_STATUS SerialPort::Read(std::uint8_t *buffer, std::uint32_t count, std::uint32_t &read) const {
    return Transfer(fd_, count, readTimeout_, POLLIN, read,
                    [&](std::uint32_t done, std::uint32_t rest) { return ::read(fd_, buffer + done, rest); });
}

FT_STATUS SerialPort::Write(const std::uint8_t *buffer, std::uint32_t count, std::uint32_t &written) const {
    return Transfer(fd_, count, writeTimeout_, POLLOUT, written, [&](std::uint32_t done, std::uint32_t rest) {
        return ::write(fd_, buffer + done, rest);
    });
}

FT_STATUS SerialPort::ClearRts() const {
    const int rts = TIOCM_RTS;
    return ioctl(fd_, TIOCMBIC, &rts) == 0 ? FT_OK : FT_IO_ERROR;
}

}  // namespace d2xx

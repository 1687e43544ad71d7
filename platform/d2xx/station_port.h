#pragma once
// One open USB-serial device of the station library: a tty in raw mode whose reads and writes
// wait at most their time-outs.
#include <cstdint>
#include <string>

#include "platform/d2xx/d2xx_api.h"

namespace d2xx {

class SerialPort {
public:
    SerialPort() = default;
    SerialPort(SerialPort &&other) noexcept;
    SerialPort &operator=(SerialPort &&other) noexcept;
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;
    ~SerialPort();

    // Opens the device node for this process alone and switches it to raw mode; a device that is
    // open already (here or in another process) fails with FT_DEVICE_NOT_OPENED.
    FT_STATUS Open(const std::string &node);
    void SetTimeouts(std::uint32_t readTimeout, std::uint32_t writeTimeout);
    FT_STATUS Status(std::uint32_t &rx, std::uint32_t &tx) const;
    FT_STATUS Read(std::uint8_t *buffer, std::uint32_t count, std::uint32_t &read) const;
    FT_STATUS Write(const std::uint8_t *buffer, std::uint32_t count, std::uint32_t &written) const;
    FT_STATUS ClearRts() const;

private:
    void Release();

    int fd_ = -1;
    std::uint32_t readTimeout_ = 0;
    std::uint32_t writeTimeout_ = 0;
};

}  // namespace d2xx

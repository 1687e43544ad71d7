#pragma once
// Finds the FTDI USB-serial devices the kernel's driver offers: the ttyUSB devices under
// <sysfs>/class/tty whose USB device has the vendor id 0403.
#include <string>
#include <vector>

namespace d2xx {

// Device nodes (<dev>/ttyUSBn) of the FTDI serial devices, in the order of their numbers.
std::vector<std::string> FindFtdiPorts(const std::string &sysfsRoot, const std::string &devRoot);

}  // namespace d2xx

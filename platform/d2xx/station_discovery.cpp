#include "platform/d2xx/station_discovery.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace d2xx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPortPrefix = "ttyUSB";
constexpr std::string_view kFtdiVendor = "0403";

// The number of a "ttyUSBn" name; -1 for any other name.
long PortNumber(std::string_view name) {
    if (name.substr(0, kPortPrefix.size()) != kPortPrefix) return -1;
    const std::string_view digits = name.substr(kPortPrefix.size());
    long number = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return -1;
    return number;
}

std::string TrimmedLowerText(const fs::path &file) {
    std::ifstream in(file);
    std::string text;
    in >> text;
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Walks up from the tty's device folder to the first folder that names a USB vendor.
bool OnFtdiDevice(const fs::path &ttyEntry, const fs::path &root) {
    std::error_code error;
    fs::path folder = fs::canonical(ttyEntry, error);
    if (error) return false;
    while (folder.has_relative_path() && folder != root) {
        const fs::path vendor = folder / "idVendor";
        if (fs::exists(vendor, error)) return TrimmedLowerText(vendor) == kFtdiVendor;
        folder = folder.parent_path();
    }
    return false;
}

}  // namespace

std::vector<std::string> FindFtdiPorts(const std::string &sysfsRoot, const std::string &devRoot) {
    std::error_code error;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error) return {};
    std::vector<std::pair<long, std::string>> ports;
    for (const fs::directory_entry &entry : fs::directory_iterator(root / "class" / "tty", error)) {
        const std::string name = entry.path().filename().string();
        const long number = PortNumber(name);
        if (number >= 0 && OnFtdiDevice(entry.path(), root)) ports.emplace_back(number, name);
    }
    std::sort(ports.begin(), ports.end());
    std::vector<std::string> nodes;
    for (const auto &[number, name] : ports) nodes.push_back((fs::path(devRoot) / name).string());
    return nodes;
}

}  // namespace d2xx

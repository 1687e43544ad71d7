#pragma once
// Loads a device library at run time and resolves every D2XX function the program uses. A library
// that cannot be opened, or that lacks one of the functions, is a load failure.
#include <string>

#include "platform/d2xx/d2xx_api.h"

namespace d2xx {

// File names of the two device libraries of the project: the program loads the station library;
// tests (and a demo) load the simulator.
inline constexpr char kStationLibraryName[] = "libd2xx_station.so";
inline constexpr char kSimulatorLibraryName[] = "libd2xx_sim.so";

// The resolved functions, in the order the program keeps them.
struct FtApi {
    decltype(&::FT_ListDevices) FT_ListDevices = nullptr;
    decltype(&::FT_Open) FT_Open = nullptr;
    decltype(&::FT_Close) FT_Close = nullptr;
    decltype(&::FT_SetTimeouts) FT_SetTimeouts = nullptr;
    decltype(&::FT_Write) FT_Write = nullptr;
    decltype(&::FT_Read) FT_Read = nullptr;
    decltype(&::FT_GetStatus) FT_GetStatus = nullptr;
    decltype(&::FT_ClrRts) FT_ClrRts = nullptr;
};

class Library {
public:
    Library() = default;
    Library(const Library &) = delete;
    Library &operator=(const Library &) = delete;
    ~Library();

    // Opens the library at `path` (a bare file name goes through the dynamic linker's search) and
    // resolves all functions. On failure nothing stays loaded and Error() says why.
    bool Load(const std::string &path);
    // Releases the library; the function table becomes empty.
    void Unload();

    bool Loaded() const { return handle_ != nullptr; }
    const FtApi &Api() const { return api_; }
    const std::string &Error() const { return error_; }

private:
    void *handle_ = nullptr;
    FtApi api_;
    std::string error_;
};

}  // namespace d2xx

#include "platform/d2xx/loader.h"

#include <dlfcn.h>

namespace d2xx {
namespace {

template <typename Function>
bool Resolve(void *handle, const char *name, Function &target, std::string &error) {
    void *symbol = dlsym(handle, name);
    if (symbol == nullptr) {
        error = std::string("missing function ") + name;
        return false;
    }
    target = reinterpret_cast<Function>(symbol);
    return true;
}

}  // namespace

Library::~Library() {
    Unload();
}

bool Library::Load(const std::string &path) {
    Unload();
    error_.clear();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char *reason = dlerror();
        error_ = reason != nullptr ? reason : "cannot open " + path;
        return false;
    }
    FtApi api;
    // Resolved in the order the program names them; the first missing one fails the load.
    const bool complete = Resolve(handle_, "FT_ListDevices", api.FT_ListDevices, error_) &&
                          Resolve(handle_, "FT_Open", api.FT_Open, error_) &&
                          Resolve(handle_, "FT_Close", api.FT_Close, error_) &&
                          Resolve(handle_, "FT_Write", api.FT_Write, error_) &&
                          Resolve(handle_, "FT_Read", api.FT_Read, error_) &&
                          Resolve(handle_, "FT_GetStatus", api.FT_GetStatus, error_) &&
                          Resolve(handle_, "FT_SetTimeouts", api.FT_SetTimeouts, error_) &&
                          Resolve(handle_, "FT_ClrRts", api.FT_ClrRts, error_);
    if (!complete) {
        Unload();
        return false;
    }
    api_ = api;
    return true;
}

void Library::Unload() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
    api_ = FtApi{};
}

}  // namespace d2xx

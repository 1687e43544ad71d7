#pragma once
// Handles given out by a device library: opaque values that are never reused, so a call with a
// stale handle is always recognised as one on a closed handle.
#include <cstdint>
#include <map>
#include <utility>

#include "platform/d2xx/d2xx_api.h"

namespace d2xx {

template <typename Entry>
class HandleTable {
public:
    FT_HANDLE Add(Entry entry) {
        const std::uintptr_t key = ++last_;
        entries_.emplace(key, std::move(entry));
        return reinterpret_cast<FT_HANDLE>(key);
    }

    // The entry of an open handle; nullptr for a closed, unknown or null handle.
    Entry *Find(FT_HANDLE handle) {
        const auto it = entries_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it == entries_.end() ? nullptr : &it->second;
    }

    bool Remove(FT_HANDLE handle) { return entries_.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0; }

    void Clear() { entries_.clear(); }

    template <typename Visit>
    void ForEach(Visit visit) {
        for (auto &[key, entry] : entries_) visit(entry);
    }

private:
    std::map<std::uintptr_t, Entry> entries_;
    std::uintptr_t last_ = 0x5A00;
};

}  // namespace d2xx

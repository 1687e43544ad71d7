#pragma once
// Base of the canvas's drawing tools (pen, brush): a change notification that fires only when a
// property really changes, so that an owner can follow the tool's state.
#include <functional>

class TGraphicsObject {
public:
    std::function<void()> OnChange;

protected:
    template <class T>
    void Update(T &field, T value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange();
    }
};

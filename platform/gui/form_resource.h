#pragma once
// What the code generated from a form resource calls: creating named components and binding
// events to member functions of the form class (a misspelt handler does not compile).
#include <QString>
#include <functional>
#include <type_traits>

#include "platform/gui/control.h"

namespace gui {

// A component owned by the form; a control is placed on the form itself.
template <class T>
T *Make(TWinControl *form, const QString &name) {
    T *component = new T(form);
    component->BeginLoading();
    component->SetName(name);
    if constexpr (std::is_base_of_v<TControl, T>) component->SetParent(form);
    return component;
}

// A control owned by the form and placed on the given parent.
template <class T>
T *MakeControl(TWinControl *form, const QString &name, TWinControl *parent) {
    static_assert(std::is_base_of_v<TControl, T>, "only controls have a parent");
    T *control = new T(form);
    control->BeginLoading();
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

// Ends loading of the form and its components: auto-sized labels and forms measure themselves
// once all properties are set.
void EndLoading(TComponent *form);

// An event handler calling a member function of the form class F.
template <class F, class... Args>
std::function<void(Args...)> Bind(TComponent *form, void (F::*handler)(Args...)) {
    return [form, handler](Args... args) { (static_cast<F *>(form)->*handler)(args...); };
}

}  // namespace gui

#pragma once

namespace forms {

// The one object bound to a port: a lower layer calls through the port,
// and the window or object that implements it binds itself at start.
template <class Port> class Binding {
public:
    static void Bind(Port* port) { bound_ = port; }
    // Takes only that object away, not one bound since.
    static void Unbind(const Port* port) {
        if (bound_ == port) {
            bound_ = nullptr;
        }
    }
    static Port* Current() { return bound_; }
    // Calls the bound object; does nothing without one.
    template <class Body> static void Call(Body&& call) {
        if (bound_ != nullptr) {
            call(*bound_);
        }
    }

private:
    static inline Port* bound_ = nullptr;
};

} // namespace forms

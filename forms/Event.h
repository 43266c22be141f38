#pragma once

#include <functional>
#include <utility>

namespace forms {

// A control's event, delivered to the one owner that connected to it.
// Reference arguments let the owner answer back (cancel flags, results).
template <class... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    void Connect(Handler handler) { handler_ = std::move(handler); }
    void Disconnect() { handler_ = nullptr; }
    bool Connected() const { return static_cast<bool>(handler_); }

    void operator()(Args... args) const {
        if (handler_) {
            // A copy keeps the handler alive if it disconnects itself.
            Handler handler = handler_;
            handler(std::forward<Args>(args)...);
        }
    }

private:
    Handler handler_;
};

} // namespace forms

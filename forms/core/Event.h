#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace forms {

// A control's event, delivered to the one owner that connected to it.
// Reference arguments let the owner answer back (cancel flags, results).
template <class... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    void Connect(Handler handler) { handler_ = std::make_shared<Handler>(std::move(handler)); }
    void Disconnect() { handler_.reset(); }
    bool Connected() const { return handler_ != nullptr; }

    void operator()(Args... args) const {
        if (handler_) {
            // The extra reference keeps the handler alive if it disconnects
            // itself or destroys the object that raised the event.
            const std::shared_ptr<Handler> handler = handler_;
            (*handler)(std::forward<Args>(args)...);
        }
    }

private:
    std::shared_ptr<Handler> handler_;
};

} // namespace forms

#pragma once

#include "forms/core/Connection.h"

#include <functional>
#include <memory>
#include <utility>

namespace forms {

// A control's event, delivered to the one owner that connected to it, for
// as long as the owner keeps the connection. Read-only arguments come by
// value; reference arguments let the owner answer back (cancel flags,
// results).
template <class... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    // The handler replaces any earlier one; it runs until the connection
    // goes or is disconnected.
    [[nodiscard]] Connection Connect(Handler handler) {
        return Connection::Attach(slot_, std::make_shared<Handler>(std::move(handler)));
    }
    bool Connected() const { return slot_ && slot_->handler != nullptr; }

    void operator()(Args... args) const {
        // The extra reference keeps the handler alive if it disconnects
        // itself or destroys the object that raised the event.
        if (const std::shared_ptr<void> held = slot_ ? slot_->handler : nullptr) {
            (*static_cast<Handler*>(held.get()))(std::forward<Args>(args)...);
        }
    }

private:
    // Made by the first connection: most events of a control never have one.
    std::shared_ptr<Connection::Slot> slot_;
};

} // namespace forms

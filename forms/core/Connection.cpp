#include "forms/core/Connection.h"

namespace forms {

Connection Connection::Attach(std::shared_ptr<Slot>& slot, std::shared_ptr<void> handler) {
    if (!slot) {
        slot.reset(new Slot());
    }
    slot->handler = handler;
    Connection connection;
    connection.slot_ = slot;
    connection.handler_ = handler;
    return connection;
}

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        Disconnect();
        slot_ = std::move(other.slot_);
        handler_ = std::move(other.handler_);
    }
    return *this;
}

void Connection::Disconnect() {
    const std::shared_ptr<Slot> slot = slot_.lock();
    if (slot && !handler_.expired() && slot->handler == handler_.lock()) {
        slot->handler.reset();
    }
    slot_.reset();
    handler_.reset();
}

Connections& Connections::operator+=(Connection connection) {
    held_.reset(new Held{std::move(connection), std::move(held_)});
    return *this;
}

} // namespace forms

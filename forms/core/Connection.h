#pragma once

#include <memory>
#include <utility>

namespace forms {

// An owner's hold on an event's handler: the handler runs while the
// connection lives, and going, the connection disconnects it. Either side
// may go first.
class Connection {
public:
    // What an event keeps of its one handler.
    struct Slot {
        std::shared_ptr<void> handler;
    };

    // Makes handler the slot's one handler, making the slot on first use.
    static Connection Attach(std::shared_ptr<Slot>& slot, std::shared_ptr<void> handler);

    Connection() = default;
    Connection(Connection&& other) noexcept = default;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }

    // Takes the handler away, unless another has replaced it since.
    void Disconnect();

private:
    std::weak_ptr<Slot> slot_;
    std::weak_ptr<void> handler_;
};

// The connections an owner keeps for its life; declared after what they
// connect to, they go first.
class Connections {
public:
    Connections& operator+=(Connection connection);
    void Clear() { held_.reset(); }

private:
    // A list, not a vector: less code in every executable.
    struct Held {
        Connection connection;
        std::unique_ptr<Held> next;
    };
    std::unique_ptr<Held> held_;
};

} // namespace forms

#pragma once

#include <memory>

namespace forms {

// An object's life as code that may outlive it sees it: work posted to the
// loop, a handler that may destroy the object that raised it. The owner
// keeps a Lifetime member; a Watch taken from it says later whether that
// life still goes on. Ending it, or the owner's destruction, ends it for
// every watch; Renew starts a new life that earlier watches do not see.
class Lifetime {
public:
    class Watch {
    public:
        bool Alive() const { return *alive_; }

    private:
        friend class Lifetime;
        explicit Watch(std::shared_ptr<const bool> alive) : alive_(std::move(alive)) {}
        std::shared_ptr<const bool> alive_;
    };

    explicit Lifetime(bool alive = true) : alive_(std::make_shared<bool>(alive)) {}
    ~Lifetime() { *alive_ = false; }
    Lifetime(const Lifetime&) = delete;
    Lifetime& operator=(const Lifetime&) = delete;

    bool Alive() const { return *alive_; }
    Watch Watched() const { return Watch(alive_); }
    void End() { *alive_ = false; }
    void Renew() {
        *alive_ = false;
        alive_ = std::make_shared<bool>(true);
    }

private:
    std::shared_ptr<bool> alive_;
};

} // namespace forms

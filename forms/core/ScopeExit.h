#pragma once

#include <utility>

namespace forms {

// Runs a step when the scope is left, by return or by exception alike.
template <class Step> class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ~ScopeExit() { step_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Step step_;
};

} // namespace forms

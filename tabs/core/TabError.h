#pragma once

#include <stdexcept>
#include <string>

// An error the tab collection raises to its caller, with the number the
// collection's callers test for.
class TabError : public std::runtime_error {
public:
    static constexpr int kInvalidArgument = 5;
    static constexpr int kOutOfRange = 9;
    static constexpr int kDuplicateKey = 457;

    TabError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }

private:
    int number_;
};

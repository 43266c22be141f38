#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The messages a hook raises events for. The count says what is in use:
// 0 nothing, -1 every message, n the entries 1..n; a removed entry holds 0
// and is reused by the next addition.
class MessageTable {
public:
    static constexpr std::int32_t kAllMessages = -1;

    explicit MessageTable(std::size_t capacity) : capacity_(capacity) {}

    // False when the table is full; adding a message it holds changes nothing.
    bool Add(std::int32_t message);
    // kAllMessages empties the table; otherwise the first equal entry becomes 0.
    void Remove(std::int32_t message);
    void Clear() { count_ = 0; }
    bool Matches(std::int32_t message) const;

    std::int32_t Count() const { return count_; }
    // Entry i, counted from 1 as the count is; 0 outside the entries in use.
    std::int32_t Entry(std::size_t i) const;

private:
    std::size_t capacity_;
    std::int32_t count_ = 0;
    std::vector<std::int32_t> entries_;
};

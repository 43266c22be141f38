#include "msghook/core/MessageTable.h"

bool MessageTable::Add(std::int32_t message) {
    if (message == kAllMessages) {
        count_ = kAllMessages;
        return true;
    }
    const std::size_t used = count_ > 0 ? static_cast<std::size_t>(count_) : 0;
    for (std::size_t i = 0; i < used; ++i) {
        if (entries_[i] == 0) {
            entries_[i] = message;
            return true;
        }
        if (entries_[i] == message) {
            return true;
        }
    }
    if (used >= capacity_) {
        return false;
    }
    entries_.resize(used + 1);
    entries_[used] = message;
    count_ = static_cast<std::int32_t>(used + 1);
    return true;
}

void MessageTable::Remove(std::int32_t message) {
    if (message == kAllMessages) {
        count_ = 0;
        return;
    }
    for (std::int32_t i = 0; i < count_; ++i) {
        if (entries_[i] == message) {
            entries_[i] = 0;
            return;
        }
    }
}

std::int32_t MessageTable::Entry(std::size_t i) const {
    const std::size_t used = count_ > 0 ? static_cast<std::size_t>(count_) : 0;
    return i >= 1 && i <= used && i <= entries_.size() ? entries_[i - 1] : 0;
}

bool MessageTable::Matches(std::int32_t message) const {
    if (count_ < 0) {
        return true;
    }
    for (std::int32_t i = 0; i < count_; ++i) {
        // A freed entry is free, not a request for message 0.
        if (entries_[i] == message && message != 0) {
            return true;
        }
    }
    return false;
}

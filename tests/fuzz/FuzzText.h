#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Fuzz input as the UTF-16 text Windows hands over: UTF-8 sequences become
// their code units (surrogate pairs above the BMP), any other byte stands
// for itself, so seeds stay readable and every code unit stays reachable.
namespace fuzz {

inline std::wstring WideText(std::string_view bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = length > 1 && i + length <= bytes.size() && lead < 0xF8;
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!whole || code > 0x10FFFF) {
            text.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<wchar_t>(code));
        }
        i += length;
    }
    return text;
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Two inputs from one: split at the first newline.
inline std::pair<std::wstring, std::wstring> TwoTexts(std::string_view bytes) {
    const std::size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos) {
        return {WideText(bytes), std::wstring()};
    }
    return {WideText(bytes.substr(0, newline)), WideText(bytes.substr(newline + 1))};
}

// Stops the run: libFuzzer reports it as a crash with the input that did it.
inline void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

} // namespace fuzz

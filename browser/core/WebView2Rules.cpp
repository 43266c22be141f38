#include "browser/core/WebView2Rules.h"

namespace browser {

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::uint32_t Little(const unsigned char* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | at[i];
    }
    return value;
}

} // namespace

bool IsRuntimeVersion(const std::wstring& text) {
    int groups = 0;
    std::size_t digits = 0;
    bool nonZero = false;
    for (const wchar_t c : text) {
        if (IsDigit(c)) {
            if (++digits > 5) {
                return false;
            }
            nonZero = nonZero || c != L'0';
        } else if (c == L'.' && digits > 0 && groups < 3) {
            ++groups;
            digits = 0;
        } else {
            return false;
        }
    }
    return digits > 0 && nonZero;
}

std::optional<std::uint16_t> PeMachine(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr || size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') {
        return std::nullopt;
    }
    const std::uint32_t header = Little(bytes + 0x3c, 4);
    if (header > size || size - header < 6) {
        return std::nullopt;
    }
    const unsigned char* pe = bytes + header;
    if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(Little(pe + 4, 2));
}

std::optional<NavigationFailure> FailureOfWebError(bool success, int webErrorStatus) {
    if (success) {
        return std::nullopt;
    }
    switch (webErrorStatus) {
    case 14: // operation canceled: the client's own cancel, or a newer navigation
        return std::nullopt;
    case 1:  // certificate common name is incorrect
    case 2:  // certificate expired
    case 3:  // client certificate contains errors
    case 4:  // certificate revoked
    case 5:  // certificate is invalid
    case 6:  // server unreachable
    case 7:  // timeout
    case 9:  // connection aborted
    case 10: // connection reset
    case 11: // disconnected
    case 12: // cannot connect
    case 13: // host name not resolved
        return NavigationFailure::NoPage;
    default:
        return NavigationFailure::ErrorPage;
    }
}

std::optional<std::size_t> JsonCount(const std::wstring& json) {
    if (json.empty() || json.size() > 12) {
        return std::nullopt;
    }
    std::size_t count = 0;
    for (const wchar_t c : json) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        count = count * 10 + static_cast<std::size_t>(c - L'0');
    }
    return count;
}

bool IsCssKeyword(const std::wstring& value) {
    if (value.empty() || value.size() > 32) {
        return false;
    }
    for (const wchar_t c : value) {
        if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'-')) {
            return false;
        }
    }
    return true;
}

} // namespace browser

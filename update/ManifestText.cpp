#include "update/ManifestText.h"

#include "forms/Handles.h"

#include <windows.h>

namespace {

std::wstring Convert(UINT codePage, const char* bytes, int size) {
    if (size <= 0) {
        return {};
    }
    const int length = MultiByteToWideChar(codePage, 0, bytes, size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes, size, text.data(), length);
    return text;
}

} // namespace

std::wstring ManifestText(const std::string& bytes, unsigned codePage) {
    constexpr char kMark[] = "\xEF\xBB\xBF";
    if (bytes.compare(0, 3, kMark) == 0) {
        return Convert(CP_UTF8, bytes.data() + 3, static_cast<int>(bytes.size() - 3));
    }
    return Convert(codePage, bytes.data(), static_cast<int>(bytes.size()));
}

std::optional<std::string> ReadManifestBytes(const std::wstring& path) {
    forms::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char block[4096];
    for (;;) {
        DWORD got = 0;
        if (ReadFile(file.get(), block, sizeof block, &got, nullptr) == FALSE) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(block, got);
        if (bytes.size() > kManifestMaxBytes) {
            return std::nullopt;
        }
    }
}

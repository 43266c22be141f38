#include "update/InstallLock.h"

namespace {

constexpr wchar_t kPrefix[] = L"Global\\Quelmo.Tavrin.Update.";
// Longer paths, which Windows rarely allows an install, share one lock.
constexpr DWORD kPathLimit = 4 * MAX_PATH;

// The folder as the file system names it, so that every spelling of one
// folder (short names, letter case, a link) gives one lock; kept by its
// 64-bit FNV-1a hash, as object names are short.
unsigned long long FolderHash(const std::wstring& dir) {
    const forms::FileHandle folder(
        CreateFileW(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    wchar_t path[kPathLimit];
    DWORD length = folder ? GetFinalPathNameByHandleW(folder.get(), path, kPathLimit, 0) : 0;
    if (length == 0 || length >= kPathLimit) {
        length = GetFullPathNameW(dir.c_str(), kPathLimit, path, nullptr);
    }
    if (length >= kPathLimit) {
        length = 0;
    }
    while (length > 0 && path[length - 1] == L'\\') {
        --length;
    }
    unsigned long long hash = 14695981039346656037ULL;
    for (DWORD i = 0; i < length; ++i) {
        const wchar_t c = path[i] >= L'A' && path[i] <= L'Z' ? path[i] + (L'a' - L'A') : path[i];
        hash = (hash ^ static_cast<unsigned long long>(c)) * 1099511628211ULL;
    }
    return hash;
}

} // namespace

std::wstring InstallFolderKey(const std::wstring& dir) {
    std::wstring key(16, L'0');
    unsigned long long hash = FolderHash(dir);
    for (int i = 15; i >= 0; --i, hash >>= 4) {
        key[static_cast<std::size_t>(i)] = L"0123456789abcdef"[hash & 15];
    }
    return key;
}

InstallLock::InstallLock(const std::wstring& dir) {
    const std::wstring name = kPrefix + InstallFolderKey(dir);
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    // Already there, or there and refused (another user's): not ours.
    if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex_.reset();
    }
}

#include "update/InstallLock.h"

#include "forms/core/IntegerText.h"
#include "forms/core/Text.h"

namespace {

// The folder as the file system names it, so that every spelling of one
// folder (short names, a drive letter's case, a link) gives one lock.
std::wstring CanonicalFolder(const std::wstring& dir) {
    const forms::FileHandle folder(
        CreateFileW(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring path(32768, L'\0');
    DWORD length = folder ? GetFinalPathNameByHandleW(folder.get(), path.data(),
                                                      static_cast<DWORD>(path.size()), 0)
                          : 0;
    if (length == 0 || length >= path.size()) {
        length =
            GetFullPathNameW(dir.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
    }
    path.resize(length < path.size() ? length : 0);
    while (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    return forms::LowerAscii(path.empty() ? dir : path);
}

// Object names are short; the folder is kept by its 64-bit FNV-1a hash.
std::wstring LockName(const std::wstring& dir) {
    unsigned long long hash = 14695981039346656037ULL;
    for (const wchar_t c : CanonicalFolder(dir)) {
        hash = (hash ^ static_cast<unsigned long long>(c)) * 1099511628211ULL;
    }
    return L"Global\\Quelmo.Tavrin.Update." + forms::IntegerText(hash);
}

} // namespace

InstallLock::InstallLock(const std::wstring& dir)
    : mutex_(CreateMutexW(nullptr, FALSE, LockName(dir).c_str())) {
    // Already there, or there and refused (another user's): not ours.
    if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        mutex_.reset();
    }
}

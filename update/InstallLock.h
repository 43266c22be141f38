#pragma once

#include "forms/Handles.h"

#include <string>

// Says that one program works on an install folder's files: the updater
// for its whole run, a start while it recovers. It is taken only when no
// one holds it, in any session, and never twice, not even by one process;
// it goes with its holder, however that ends.
class InstallLock {
public:
    explicit InstallLock(const std::wstring& dir);
    bool Held() const { return static_cast<bool>(mutex_); }

private:
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> mutex_;
};

// Sixteen hex digits naming an install folder: every spelling of one folder
// (short names, letter case, a link) gives the same, so that named objects
// of one installation meet.
std::wstring InstallFolderKey(const std::wstring& dir);

#include "update/InstallRights.h"

#include "forms/Handles.h"

#include <windows.h>

bool CanWriteTo(const std::wstring& dir) {
    const std::wstring probe = dir + L"tavrin-write-probe.tmp";
    forms::FileHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                       nullptr));
    return static_cast<bool>(file);
}

bool RunsElevated() {
    HANDLE tokenHandle = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &tokenHandle) == FALSE) {
        return false;
    }
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> token(tokenHandle);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(tokenHandle, TokenElevation, &elevation, sizeof elevation, &size) !=
               FALSE &&
           elevation.TokenIsElevated != 0;
}

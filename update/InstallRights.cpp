#include "update/InstallRights.h"

#include "forms/Handles.h"
#include "forms/core/IntegerText.h"
#include "update/core/CommitJournal.h"

#include <windows.h>

#include <string>

// A name of its own each time, never an existing file or folder's: only a
// refusal of the system's says the folder cannot be written. Any other
// failure is left to the update itself, which says what went wrong.
bool CanWriteTo(const std::wstring& dir) {
    const std::wstring stem =
        dir + CommitJournal::kProbeName + L"-" + forms::IntegerText(GetCurrentProcessId());
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        const std::wstring probe = stem + L"-" + forms::IntegerText(attempt) + L".tmp";
        forms::FileHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                           nullptr));
        if (file) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return error != ERROR_ACCESS_DENIED;
        }
    }
    return true;
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

#include "update/FileSteps.h"

#include "forms/Handles.h"

namespace FileSteps {

namespace {

constexpr DWORD kRetryPause = 100;

enum class Try { Done, Again, Failed };

// Held files are worth another try; anything else will not change.
Try Judge(BOOL done) {
    if (done != FALSE) {
        return Try::Done;
    }
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_USER_MAPPED_FILE:
        return Try::Again;
    default:
        return Try::Failed;
    }
}

Try MoveOnce(const std::wstring& from, const std::wstring& to, DWORD flags) {
    return Judge(MoveFileExW(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH));
}

// A second name for the old file, so that its name is never absent; where
// the file system has no hard links (FAT), the old file is renamed.
Try SetAsideOnce(const std::wstring& from, const std::wstring& to) {
    if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr) != FALSE) {
        return Try::Done;
    }
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return Try::Failed;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        // Left from a roll-back while the client ran from this very file.
        return SameFile(from, to) ? Try::Done : Try::Failed;
    default:
        return MoveOnce(from, to, 0);
    }
}

// A read-only target would refuse to be replaced.
Try ReplaceOnce(const std::wstring& from, const std::wstring& to) {
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return MoveOnce(from, to, MOVEFILE_REPLACE_EXISTING);
}

Try Once(const std::wstring& dir, const CommitJournal::Step& step) {
    using Kind = CommitJournal::Step::Kind;
    const std::wstring from = dir + step.from, to = dir + step.to;
    switch (step.kind) {
    case Kind::SetAside:
        return SetAsideOnce(from, to);
    case Kind::Replace:
        return ReplaceOnce(from, to);
    case Kind::Move:
        return MoveOnce(from, to, 0);
    case Kind::Delete:
        return RemoveFile(from) ? Try::Done : Judge(FALSE);
    case Kind::WriteJournal:
    case Kind::RemoveJournal:
        break;
    }
    return Try::Failed;
}

forms::FileHandle OpenForInfo(const std::wstring& path) {
    return forms::FileHandle(CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

} // namespace

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsPlainFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    const forms::FileHandle first = OpenForInfo(a), second = OpenForInfo(b);
    BY_HANDLE_FILE_INFORMATION one{}, two{};
    return first && second && GetFileInformationByHandle(first.get(), &one) != FALSE &&
           GetFileInformationByHandle(second.get(), &two) != FALSE &&
           one.dwVolumeSerialNumber == two.dwVolumeSerialNumber &&
           one.nFileIndexHigh == two.nFileIndexHigh && one.nFileIndexLow == two.nFileIndexLow;
}

bool RemoveFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str()) != FALSE) {
        return true;
    }
    const DWORD error = GetLastError();
    if (!Exists(path)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        SetLastError(error);
        return false;
    }
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) != FALSE;
}

bool Apply(const std::wstring& dir, const CommitJournal::Step& step, DWORD budget,
           const forms::Event<>& waiting) {
    // Each step has its own budget: a long wait on one leaves the next its own.
    const ULONGLONG deadline = GetTickCount64() + budget;
    for (;;) {
        switch (Once(dir, step)) {
        case Try::Done:
            return true;
        case Try::Failed:
            return false;
        case Try::Again:
            break;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kRetryPause);
        waiting();
    }
}

} // namespace FileSteps

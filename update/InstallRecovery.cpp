#include "update/InstallRecovery.h"

#include "forms/Handles.h"

#include <windows.h>

namespace InstallRecovery {

namespace {

constexpr DWORD kJournalLimit = 64 * 1024;
constexpr int kMoveTries = 20;
constexpr DWORD kRetryPause = 100;

std::wstring JournalPath(const std::wstring& dir) {
    return dir + CommitJournal::kJournalName;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Nothing without a journal; an empty text for one that cannot be read, so
// that it is treated as torn.
std::optional<std::wstring> ReadJournal(const std::wstring& dir) {
    forms::FileHandle file(CreateFileW(JournalPath(dir).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        return Exists(JournalPath(dir)) ? std::optional<std::wstring>(L"") : std::nullopt;
    }
    std::wstring text(kJournalLimit / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    if (ReadFile(file.get(), text.data(), kJournalLimit, &read, nullptr) == FALSE) {
        read = 0;
    }
    text.resize(read / sizeof(wchar_t));
    return text;
}

bool MoveChecked(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0; attempt < kMoveTries; ++attempt) {
        if (Move(from, to)) {
            return true;
        }
        Sleep(kRetryPause);
    }
    return false;
}

bool Run(const std::wstring& dir, const CommitJournal::Step& step) {
    using Kind = CommitJournal::Step::Kind;
    switch (step.kind) {
    case Kind::Move:
        return MoveChecked(dir + step.from, dir + step.to);
    case Kind::Delete:
        RemoveFile(dir + step.from); // a backup still held is swept later
        return true;
    case Kind::WriteJournal:
    case Kind::RemoveJournal:
        break;
    }
    return true;
}

void SweepLeftovers(const std::wstring& dir) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((dir + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<std::wstring> leftovers;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            CommitJournal::IsLeftover(found.cFileName)) {
            leftovers.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
    for (const std::wstring& name : leftovers) {
        RemoveFile(dir + name);
    }
}

} // namespace

bool WriteJournal(const std::wstring& dir, const std::vector<CommitJournal::Entry>& entries) {
    const std::wstring text = CommitJournal::Text(entries);
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    forms::FileHandle file(CreateFileW(JournalPath(dir).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_FLAG_WRITE_THROUGH, nullptr));
    return file && bytes <= kJournalLimit &&
           WriteFile(file.get(), text.data(), bytes, &written, nullptr) != FALSE &&
           written == bytes && FlushFileBuffers(file.get()) != FALSE;
}

void RemoveJournal(const std::wstring& dir) {
    RemoveFile(JournalPath(dir));
}

bool Move(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RemoveFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str()) != FALSE || !Exists(path)) {
        return true;
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != FALSE;
}

bool Recover(const std::wstring& dir) {
    const std::optional<std::wstring> text = ReadJournal(dir);
    if (text) {
        const auto exists = [&dir](const std::wstring& name) { return Exists(dir + name); };
        for (const CommitJournal::Step& step :
             CommitJournal::RecoverySteps(CommitJournal::Parse(*text), exists)) {
            if (!Run(dir, step)) {
                return false;
            }
        }
    }
    SweepLeftovers(dir);
    RemoveJournal(dir);
    return true;
}

void RecoverAtStart(const std::wstring& dir) {
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> updater(
        OpenMutexW(SYNCHRONIZE, FALSE, kUpdaterMutex));
    if (!updater) {
        Recover(dir);
    }
}

} // namespace InstallRecovery

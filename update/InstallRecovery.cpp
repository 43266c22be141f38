#include "update/InstallRecovery.h"

#include "forms/Handles.h"
#include "update/FileSteps.h"
#include "update/InstallLock.h"

#include <optional>

namespace InstallRecovery {

namespace {

constexpr DWORD kJournalLimit = 64 * 1024;
// Per step: a scanner's hold passes; a running program's does not.
constexpr DWORD kStepPatience = 2000;

std::wstring JournalPath(const std::wstring& dir) {
    return dir + CommitJournal::kJournalName;
}

bool WriteAll(HANDLE file, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(file, text.data(), bytes, &written, nullptr) != FALSE && written == bytes &&
           FlushFileBuffers(file) != FALSE;
}

// Nothing without a journal; an empty text for one that is there but
// cannot be read whole, which parses as unknown.
std::optional<std::wstring> ReadJournal(const std::wstring& dir) {
    const forms::FileHandle file(CreateFileW(JournalPath(dir).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND && !FileSteps::Exists(JournalPath(dir))) {
            return std::nullopt;
        }
        return std::wstring();
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) == FALSE || size.QuadPart > kJournalLimit ||
        size.QuadPart % sizeof(wchar_t) != 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    if (bytes != 0 &&
        (ReadFile(file.get(), text.data(), bytes, &read, nullptr) == FALSE || read != bytes)) {
        return std::wstring();
    }
    return text;
}

// Only the exact forms the updater makes; a backup only beside its name.
void SweepLeftovers(const std::wstring& dir) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((dir + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    std::vector<std::wstring> leftovers;
    do {
        const auto leftover = CommitJournal::ParseLeftover(found.cFileName);
        const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if (leftover && (found.dwFileAttributes & notPlain) == 0 &&
            (!leftover->backup || FileSteps::Exists(dir + leftover->base))) {
            leftovers.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
    for (const std::wstring& name : leftovers) {
        FileSteps::RemoveFile(dir + name);
    }
}

class DiskFacts final : public CommitJournal::Facts {
public:
    explicit DiskFacts(const std::wstring& dir) : dir_(dir) {}
    bool Exists(const std::wstring& name) const override { return FileSteps::Exists(dir_ + name); }
    bool SameFile(const std::wstring& a, const std::wstring& b) const override {
        return FileSteps::SameFile(dir_ + a, dir_ + b);
    }

private:
    const std::wstring& dir_;
};

} // namespace

bool WriteJournal(const std::wstring& dir, const std::vector<CommitJournal::Entry>& entries) {
    const std::wstring text = CommitJournal::Text(entries);
    if (text.size() * sizeof(wchar_t) > kJournalLimit) {
        return false;
    }
    forms::FileHandle file(CreateFileW(JournalPath(dir).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file) {
        return false;
    }
    if (!WriteAll(file.get(), text)) {
        file.reset();
        RemoveJournal(dir); // ours, and nothing was renamed yet
        return false;
    }
    return true;
}

bool RemoveJournal(const std::wstring& dir) {
    return FileSteps::RemoveFile(JournalPath(dir));
}

Outcome Recover(const std::wstring& dir, const InstallLock& lock, const forms::Event<>& waiting) {
    if (!lock.Held()) {
        return Outcome::Busy;
    }
    const std::optional<std::wstring> text = ReadJournal(dir);
    if (!text) {
        SweepLeftovers(dir);
        return Outcome::Settled;
    }
    const DiskFacts facts(dir);
    const CommitJournal::Plan plan =
        CommitJournal::RecoveryPlan(CommitJournal::Parse(*text), facts);
    bool settled = plan.settles;
    for (const CommitJournal::Step& step : plan.steps) {
        using Kind = CommitJournal::Step::Kind;
        if (step.kind != Kind::RemoveJournal) {
            settled = FileSteps::Apply(dir, step, kStepPatience, waiting) && settled;
        } else if (settled) {
            SweepLeftovers(dir);
            return RemoveJournal(dir) ? Outcome::Settled : Outcome::Unfinished;
        }
    }
    return Outcome::Unfinished;
}

Outcome Recover(const std::wstring& dir) {
    const InstallLock lock(dir);
    return Recover(dir, lock);
}

} // namespace InstallRecovery

#include "updater/StagedFiles.h"

#include "forms/Application.h"

#include <algorithm>

namespace {

constexpr DWORD kRetryPause = 100;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Move(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Tries `step` until it succeeds, the deadline passes or a stop is asked;
// the window stays alive meanwhile.
template <class Step>
bool Retry(Step&& step, ULONGLONG deadline, const std::function<bool()>& stop) {
    for (;;) {
        if (step()) {
            return true;
        }
        if (GetTickCount64() >= deadline || stop()) {
            return false;
        }
        Sleep(kRetryPause);
        forms::Application::DoEvents();
    }
}

} // namespace

StagedFiles::~StagedFiles() {
    Discard();
}

std::wstring StagedFiles::StagePath(const std::wstring& name) const {
    return dir_ + name + L".tavrin-new";
}

std::wstring StagedFiles::Backup(const Entry& entry) const {
    return dir_ + entry.name + L".tavrin-old";
}

void StagedFiles::Add(const std::wstring& name) {
    const auto same = [&name](const Entry& entry) {
        return CompareStringOrdinal(entry.name.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    if (std::none_of(entries_.begin(), entries_.end(), same)) {
        entries_.push_back({name});
    }
}

bool StagedFiles::Replace(Entry& entry, ULONGLONG deadline, const std::function<bool()>& stop) {
    const std::wstring target = Target(entry);
    if (Exists(target)) {
        if (!Retry([&] { return Move(target, Backup(entry)); }, deadline, stop)) {
            return false;
        }
        entry.hadOld = true;
    }
    const std::wstring stage = StagePath(entry.name);
    entry.replaced = Retry([&] { return Move(stage, target); }, deadline, stop);
    return entry.replaced;
}

bool StagedFiles::Commit(DWORD patience, const std::function<bool()>& stop) {
    const ULONGLONG deadline = GetTickCount64() + patience;
    for (Entry& entry : entries_) {
        if (!Replace(entry, deadline, stop)) {
            RollBack();
            return false;
        }
    }
    for (const Entry& entry : entries_) {
        // The old executable may still be mapped by the exiting client.
        if (entry.hadOld && DeleteFileW(Backup(entry).c_str()) == FALSE) {
            MoveFileExW(Backup(entry).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        }
    }
    entries_.clear();
    return true;
}

void StagedFiles::RollBack() {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->replaced) {
            Move(Target(*it), StagePath(it->name));
            it->replaced = false;
        }
        if (it->hadOld) {
            Move(Backup(*it), Target(*it));
            it->hadOld = false;
        }
    }
}

void StagedFiles::Discard() {
    for (const Entry& entry : entries_) {
        DeleteFileW(StagePath(entry.name).c_str());
    }
    entries_.clear();
}

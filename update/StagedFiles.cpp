#include "update/StagedFiles.h"

#include "forms/Application.h"
#include "update/InstallRecovery.h"

#include <algorithm>

namespace {

constexpr DWORD kRetryPause = 100;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
    return dir_ + name + CommitJournal::kStageSuffix;
}

void StagedFiles::Add(const std::wstring& name) {
    const auto same = [&name](const std::wstring& known) {
        return CompareStringOrdinal(known.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    if (std::none_of(names_.begin(), names_.end(), same)) {
        names_.push_back(name);
    }
}

bool StagedFiles::Commit(DWORD patience, const std::function<bool()>& stop) {
    const ULONGLONG deadline = GetTickCount64() + patience;
    std::vector<CommitJournal::Entry> entries;
    for (const std::wstring& name : names_) {
        entries.push_back({name, Exists(dir_ + name)});
    }
    const std::vector<CommitJournal::Step> steps = CommitJournal::CommitSteps(entries);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (stopAfter_ && i == *stopAfter_) {
            names_.clear();
            return false;
        }
        if (!RunStep(steps[i], entries, deadline, stop)) {
            // Undone through the journal, as the next start would.
            InstallRecovery::Recover(dir_);
            names_.clear();
            return false;
        }
    }
    names_.clear();
    return true;
}

bool StagedFiles::RunStep(const CommitJournal::Step& step,
                          const std::vector<CommitJournal::Entry>& entries, ULONGLONG deadline,
                          const std::function<bool()>& stop) {
    using Kind = CommitJournal::Step::Kind;
    switch (step.kind) {
    case Kind::WriteJournal:
        return InstallRecovery::WriteJournal(dir_, entries);
    case Kind::Move:
        return Retry([&] { return InstallRecovery::Move(dir_ + step.from, dir_ + step.to); },
                     deadline, stop);
    case Kind::Delete:
        // The old executable may still be mapped by the exiting client; the
        // next start sweeps what stays.
        InstallRecovery::RemoveFile(dir_ + step.from);
        return true;
    case Kind::RemoveJournal:
        InstallRecovery::RemoveJournal(dir_);
        return true;
    }
    return false;
}

void StagedFiles::Discard() {
    for (const std::wstring& name : names_) {
        DeleteFileW(StagePath(name).c_str());
    }
    names_.clear();
}

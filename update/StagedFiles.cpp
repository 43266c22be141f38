#include "update/StagedFiles.h"

#include "update/FileSteps.h"
#include "update/InstallLock.h"
#include "update/InstallRecovery.h"

#include <algorithm>

StagedFiles::~StagedFiles() {
    Discard();
}

std::wstring StagedFiles::StagePath(const std::wstring& name) const {
    return dir_ + CommitJournal::Stage(name);
}

void StagedFiles::Add(const std::wstring& name) {
    const auto same = [&name](const std::wstring& known) {
        return CompareStringOrdinal(known.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    if (std::none_of(names_.begin(), names_.end(), same)) {
        names_.push_back(name);
    }
}

// Nothing when a target may not be replaced: a directory or a reparse
// point, one that cannot be looked at, or one whose backup name is taken
// by another file than the target.
std::optional<std::vector<CommitJournal::Entry>> StagedFiles::Entries() const {
    std::vector<CommitJournal::Entry> entries;
    for (const std::wstring& name : names_) {
        const std::wstring target = dir_ + name;
        const bool hadOld = FileSteps::Exists(target);
        if (hadOld ? !FileSteps::IsPlainFile(target) : GetLastError() != ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        const std::wstring backup = dir_ + CommitJournal::Backup(name);
        if (FileSteps::Exists(backup) && !(hadOld && FileSteps::SameFile(target, backup))) {
            return std::nullopt;
        }
        entries.push_back({name, hadOld});
    }
    return entries;
}

StagedFiles::Outcome StagedFiles::Commit(DWORD patience, const forms::Event<>& waiting) {
    const std::optional<std::vector<CommitJournal::Entry>> entries = Entries();
    if (!lock_.Held() || !entries) {
        Discard();
        return Outcome::Untouched;
    }
    const std::vector<CommitJournal::Step> steps = CommitJournal::CommitSteps(*entries);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (stopAfter_ && i == *stopAfter_) {
            names_.clear();
            return i == 0 ? Outcome::Untouched : Outcome::Unfinished;
        }
        if (!RunStep(steps[i], *entries, patience, waiting)) {
            if (i == 0) {
                Discard(); // no journal of ours: nothing was changed
                return Outcome::Untouched;
            }
            // Undone through the journal, as the next start would.
            names_.clear();
            return InstallRecovery::Recover(dir_, lock_, waiting) ==
                           InstallRecovery::Outcome::Settled
                       ? Outcome::Untouched
                       : Outcome::Unfinished;
        }
    }
    names_.clear();
    return Outcome::Committed;
}

bool StagedFiles::RunStep(const CommitJournal::Step& step,
                          const std::vector<CommitJournal::Entry>& entries, DWORD patience,
                          const forms::Event<>& waiting) {
    using Kind = CommitJournal::Step::Kind;
    switch (step.kind) {
    case Kind::WriteJournal:
        return InstallRecovery::WriteJournal(dir_, entries);
    case Kind::Delete:
        // The old executable may still be mapped by the exiting client: a
        // backup beside its name goes at the next start.
        FileSteps::RemoveFile(dir_ + step.from);
        return true;
    case Kind::RemoveJournal:
        // Left behind, the next start finishes the commit.
        InstallRecovery::RemoveJournal(dir_);
        return true;
    default:
        return FileSteps::Apply(dir_, step, patience, waiting);
    }
}

void StagedFiles::Discard() {
    for (const std::wstring& name : names_) {
        DeleteFileW(StagePath(name).c_str());
    }
    names_.clear();
}

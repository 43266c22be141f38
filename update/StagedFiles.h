#pragma once

#include "forms/core/Event.h"
#include "update/core/CommitJournal.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class InstallLock;

// Files downloaded beside their targets in the install directory, put in
// place all together or not at all. A journal written before the first
// change lets the next start finish or undo a commit that was cut off; a
// failure here undoes it at once. What is not committed is deleted when
// the object goes.
class StagedFiles {
public:
    StagedFiles(std::wstring dir, const InstallLock& lock) : dir_(std::move(dir)), lock_(lock) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where the new copy of `name` is downloaded to.
    std::wstring StagePath(const std::wstring& name) const;
    // `name` arrived whole at its stage path; a name listed twice counts once.
    void Add(const std::wstring& name);

    enum class Outcome {
        Committed,  // every target replaced (a backup still held goes later)
        Untouched,  // every target as it was: refused, or rolled back
        Unfinished, // cut off, or rolled back only in part: the journal stays
    };
    // Replaces every target, each old file kept as a backup until all are
    // in place, its name never absent where the file system has hard links.
    // A held file is tried again for up to `patience` milliseconds per step;
    // `waiting` is raised between tries. A target that is a directory or a
    // reparse point is refused.
    Outcome Commit(DWORD patience, const forms::Event<>& waiting);

    // For tests: the commit ends after `steps` steps, as if the process had
    // been killed there, leaving the disk as it is.
    void StopAfterStep(std::size_t steps) { stopAfter_ = steps; }

private:
    std::optional<std::vector<CommitJournal::Entry>> Entries() const;
    bool RunStep(const CommitJournal::Step& step, const std::vector<CommitJournal::Entry>& entries,
                 DWORD patience, const forms::Event<>& waiting);
    void Discard();

    std::wstring dir_;
    const InstallLock& lock_;
    std::vector<std::wstring> names_;
    std::optional<std::size_t> stopAfter_;
};

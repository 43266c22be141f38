#pragma once

#include "update/core/CommitJournal.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Files downloaded beside their targets in the install directory, put in
// place all together or not at all. A journal written before the first
// rename lets the next start finish or undo a commit that was cut off; a
// failure here undoes it at once. What is not committed is deleted when
// the object goes.
class StagedFiles {
public:
    explicit StagedFiles(std::wstring dir) : dir_(std::move(dir)) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where the new copy of `name` is downloaded to.
    std::wstring StagePath(const std::wstring& name) const;
    // `name` arrived whole at its stage path; a name listed twice counts once.
    void Add(const std::wstring& name);

    // Replaces every target. A target that is still held (an exiting client)
    // is tried again until `patience` milliseconds have passed or `stop`
    // says so; then everything is put back as it was and false returned.
    bool Commit(DWORD patience, const std::function<bool()>& stop);

    // For tests: the commit ends after `steps` steps, as if the process had
    // been killed there, leaving the disk as it is.
    void StopAfterStep(std::size_t steps) { stopAfter_ = steps; }

private:
    bool RunStep(const CommitJournal::Step& step, const std::vector<CommitJournal::Entry>& entries,
                 ULONGLONG deadline, const std::function<bool()>& stop);
    void Discard();

    std::wstring dir_;
    std::vector<std::wstring> names_;
    std::optional<std::size_t> stopAfter_;
};

#pragma once

#include "forms/core/Event.h"
#include "update/core/UpdaterRules.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class CLumDownLoadFile;
class InstallLock;

// The update itself: an earlier commit cut off is settled first; then
// every file line of the manifest is downloaded to a stage in the install
// directory, checked, and all are committed together. Anything refused,
// missing, cut short or stopped commits nothing.
class UpdateJob {
public:
    struct Result {
        bool complete = false;
        // An earlier update's recovery could not finish: nothing was
        // downloaded or committed.
        bool blocked = false;
        // This commit failed and could not be undone in full: the journal
        // stays for the next start.
        bool unfinished = false;
        std::wstring openFile; // the last line's target, or the client in place
    };

    // Runs only under `lock`, held for the install directory.
    UpdateJob(CLumDownLoadFile& downloader, UpdaterRules::Argument argument,
              const InstallLock& lock)
        : downloader_(downloader), argument_(std::move(argument)), lock_(lock) {}

    // `stopped` is asked between files; a commit, once begun, is not
    // stopped. `patience` bounds each commit step's retries of a held
    // file, in milliseconds.
    Result Run(const std::wstring& manifest, const std::function<bool()>& stopped, DWORD patience);

    forms::Event<std::wstring> FileStarted; // the file's name
    forms::Event<bool> Committing;          // true before the commit, false after
    // A held file is about to be tried again: the window's moment to
    // answer its messages.
    forms::Event<> Waiting;
    // For tests: the commit ends after this many steps, as if killed there.
    void StopCommitAfterStep(std::size_t steps) { stopAfter_ = steps; }

private:
    bool FetchAll(const std::vector<UpdaterRules::FileLine>& lines, class StagedFiles& staged,
                  const std::function<bool()>& stopped);
    bool Fetch(const UpdaterRules::FileLine& line, StagedFiles& staged);
    void Commit(StagedFiles& staged, DWORD patience, Result& result);

    CLumDownLoadFile& downloader_;
    UpdaterRules::Argument argument_;
    const InstallLock& lock_;
    std::optional<std::size_t> stopAfter_;
};

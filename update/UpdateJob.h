#pragma once

#include "forms/core/Event.h"
#include "update/core/UpdaterRules.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class CLumDownLoadFile;

// The update itself: every file line of the manifest is downloaded to a
// stage in the install directory, checked, and all are committed together.
// Anything refused, missing, cut short or stopped commits nothing.
class UpdateJob {
public:
    struct Result {
        bool complete = false;
        std::wstring openFile; // the last line's target, or the client in place
    };

    UpdateJob(CLumDownLoadFile& downloader, UpdaterRules::Argument argument)
        : downloader_(downloader), argument_(std::move(argument)) {}

    // `stopped` is asked between files and while a held target is retried;
    // `patience` bounds those retries, in milliseconds.
    Result Run(const std::wstring& manifest, const std::function<bool()>& stopped, DWORD patience);

    forms::Event<std::wstring> FileStarted; // the file's name
    forms::Event<bool> Committing;          // true before the commit, false after
    // For tests: the commit ends after this many steps, as if killed there.
    void StopCommitAfterStep(std::size_t steps) { stopAfter_ = steps; }

private:
    bool FetchAll(const std::vector<UpdaterRules::FileLine>& lines, class StagedFiles& staged,
                  const std::function<bool()>& stopped);
    bool Fetch(const UpdaterRules::FileLine& line, StagedFiles& staged);
    bool Commit(StagedFiles& staged, DWORD patience, const std::function<bool()>& stopped);

    CLumDownLoadFile& downloader_;
    UpdaterRules::Argument argument_;
    std::optional<std::size_t> stopAfter_;
};

#include "update/UpdateJob.h"

#include "update/CLumDownLoadFile.h"
#include "update/FileHash.h"
#include "update/InstallRecovery.h"
#include "update/StagedFiles.h"

UpdateJob::Result UpdateJob::Run(const std::wstring& manifest, const std::function<bool()>& stopped,
                                 DWORD patience) {
    const std::vector<UpdaterRules::FileLine> lines = UpdaterRules::FileLines(manifest);
    Result result;
    // A commit cut off earlier is settled before anything else; one that
    // cannot be settled holds every later update back.
    result.blocked = InstallRecovery::Recover(argument_.dir, lock_, Waiting) !=
                     InstallRecovery::Outcome::Settled;
    if (!result.blocked) {
        StagedFiles staged(argument_.dir, lock_);
        if (!lines.empty() && FetchAll(lines, staged, stopped)) {
            Commit(staged, patience, result);
        }
    }
    result.openFile = UpdaterRules::FileToOpen(argument_, lines, result.complete);
    return result;
}

bool UpdateJob::FetchAll(const std::vector<UpdaterRules::FileLine>& lines, StagedFiles& staged,
                         const std::function<bool()>& stopped) {
    for (const UpdaterRules::FileLine& line : lines) {
        if (line.refused || stopped() || !Fetch(line, staged) || stopped()) {
            return false;
        }
    }
    return true;
}

bool UpdateJob::Fetch(const UpdaterRules::FileLine& line, StagedFiles& staged) {
    FileStarted(line.name);
    const std::wstring stage = staged.StagePath(line.name);
    if (!downloader_.DownLoadFile(line.url, stage, false, true)) {
        return false;
    }
    staged.Add(line.name);
    return !line.sha256 || FileSha256(stage) == line.sha256;
}

void UpdateJob::Commit(StagedFiles& staged, DWORD patience, Result& result) {
    if (stopAfter_) {
        staged.StopAfterStep(*stopAfter_);
    }
    Committing(true);
    const StagedFiles::Outcome outcome = staged.Commit(patience, Waiting);
    Committing(false);
    result.complete = outcome == StagedFiles::Outcome::Committed;
    result.unfinished = outcome == StagedFiles::Outcome::Unfinished;
}

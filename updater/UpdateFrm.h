#pragma once

#include "controls/BForm.h"
#include "controls/iButton.h"
#include "forms/SingleForm.h"
#include "forms/core/Connection.h"
#include "update/CLumDownLoadFile.h"
#include "update/InstallLock.h"
#include "update/ManifestTrust.h"
#include "update/core/UpdaterRules.h"

#include <optional>
#include <string>

// The updater's one window: downloads what the manifest lists into the
// install directory, with a stop button, then starts the client.
class UpdateFrm : public forms::SingleForm<UpdateFrm> {
public:
    UpdateFrm();
    ~UpdateFrm() override;

    // How long a held target is retried, per step, before the update gives up.
    static constexpr DWORD kReplacePatience = 30000;
    // A file that gains less than kStallBytes in any kStallWindow
    // milliseconds fails the update.
    static constexpr DWORD kStallWindow = 30000;
    static constexpr DWORD kStallBytes = 1024;

    // The process's exit code: whether the update completed.
    static constexpr unsigned long kComplete = 0;
    static constexpr unsigned long kIncomplete = 1;
    static int ExitCode() { return static_cast<int>(exitCode_); }

protected:
    void OnInitialize() override;
    void OnLoad() override;
    void OnQueryUnload(bool& cancel) override;
    void OnUnload() override;
    bool OnQueryEndSession() override;
    void OnEndSession() override;

private:
    void CreateControls();
    bool EnsureRights();
    bool RunElevatedCopy();
    std::wstring ManifestPath() const;
    bool RunUpdate();
    void closebtn_Click();
    void BForm1_MouseDown();
    void ShowProgress(DWORD received);
    void Finish(bool complete);
    void BlockSessionEnd(bool block);
    std::wstring FailureText() const;

    std::optional<CLumDownLoadFile> m_downfile;
    bool m_bStop = false;
    std::wstring m_strLastFile;
    UpdaterRules::Argument argument_;
    std::optional<ManifestTrust::Verified> manifest_; // read once, before anything acts on it
    bool running_ = false;
    bool committing_ = false;
    bool blocked_ = false;    // an earlier update could not be settled
    bool unfinished_ = false; // this one could not be undone in full
    static inline unsigned long exitCode_ = kIncomplete;
    DWORD total_ = 0;
    // Held for the whole run, given up before the client starts.
    std::optional<InstallLock> instance_;

    BForm BForm1;
    iButton closebtn;
    HWND Label1 = nullptr;
    HWND LumProgressBar1 = nullptr;
    // Last: disconnected before any member they reach goes.
    forms::Connections connections_;
};

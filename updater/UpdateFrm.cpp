#include "updater/UpdateFrm.h"

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/DragByCaption.h"
#include "forms/Picture.h"
#include "forms/ShellLaunch.h"
#include "forms/TempDir.h"
#include "forms/core/Units.h"
#include "game/Settings.h"
#include "game/Texts.h"
#include "resources/resource.h"
#include "update/InstallRights.h"
#include "update/ManifestTrust.h"
#include "update/UpdateJob.h"

#include <commctrl.h>

namespace {

forms::FormDesign UpdateDesign() {
    forms::FormDesign design;
    design.caption = Texts::Update;
    design.clientWidthTwips = 5400;
    design.clientHeightTwips = 1650;
    design.style = WS_POPUP | WS_BORDER;
    design.centerScreen = true;
    return design;
}

void Tell(const wchar_t* text, forms::MsgIcon icon) {
    forms::Dialogs::Message({text, Texts::Notice, forms::MsgButtons::Ok, icon});
}

// Places in design pixels.
HWND Child(HWND parent, const wchar_t* windowClass, int left, int top, int width, int height) {
    using forms::ScaleDesignPixels;
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE, ScaleDesignPixels(left),
                           ScaleDesignPixels(top), ScaleDesignPixels(width),
                           ScaleDesignPixels(height), parent, nullptr,
                           forms::Application::Instance(), nullptr);
}

} // namespace

UpdateFrm::UpdateFrm()
    : SingleForm(UpdateDesign()), BForm1(forms::Picture::FromResource(IDB_UPDATE_FRAME)) {}

UpdateFrm::~UpdateFrm() = default;

void UpdateFrm::OnInitialize() {
    const std::optional<UpdaterRules::Argument> argument =
        UpdaterRules::SplitArgument(forms::Application::Command());
    // A second updater, or a start recovering, would fight over the same files.
    if (argument) {
        instance_.emplace(argument->dir);
    }
    if (!argument || !instance_->Held()) {
        forms::Application::End();
        return;
    }
    argument_ = *argument;
}

void UpdateFrm::CreateControls() {
    BForm1.Create(hWnd(), 0, 0, 5400, 500);
    BForm1.SetCaption(Texts::Update);
    connections_ +=
        BForm1.MouseDown.Connect([this](int&, int&, float&, float&) { BForm1_MouseDown(); });
    closebtn.Create(hWnd(), 4600, 100, 645, 270);
    closebtn.SetAccessibleName(Texts::CloseButton);
    connections_ += closebtn.Click.Connect([this] { closebtn_Click(); });
    // Drawn over the caption bar, which was placed first.
    SetWindowPos(closebtn.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Label1 = Child(hWnd(), WC_STATICW, 20, 46, 320, 20);
    SendMessageW(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    LumProgressBar1 = Child(hWnd(), PROGRESS_CLASSW, 20, 72, 320, 18);
    SendMessageW(LumProgressBar1, PBM_SETRANGE32, 0, 100);
}

void UpdateFrm::OnLoad() {
    CreateControls();
    m_downfile.emplace();
    m_downfile->SetStallLimit(kStallWindow, kStallBytes);
    connections_ += m_downfile->QueryFileInfo.Connect([this](DWORD total) { total_ = total; });
    connections_ += m_downfile->Loading.Connect([this](DWORD received) { ShowProgress(received); });
    closebtn.SetBackPicture(forms::Picture::FromResource(IDB_UPDATE_CLOSE));
    Show();
    // An untrusted manifest is not acted on, not even by asking for the
    // rights to write; what was verified here is all that is read of it.
    manifest_ = ManifestTrust::Read(ManifestPath(), PublicData::GameCode);
    const bool trusted = manifest_ && UpdaterRules::AcceptsManifest(argument_, manifest_->sha256);
    if (trusted && !EnsureRights()) {
        return;
    }
    const bool complete = trusted && RunUpdate();
    if (complete) {
        Tell(L"软件已升至最新版本！", forms::MsgIcon::Information);
    } else if (!m_bStop) {
        Tell(FailureText().c_str(), forms::MsgIcon::Exclamation);
    }
    Finish(complete);
}

// Under a folder the user may not write to, the updater starts one copy of
// itself with the rights to do so and waits for it; this copy, not
// elevated, then starts the client.
bool UpdateFrm::EnsureRights() {
    switch (UpdaterRules::DecideRights(CanWriteTo(argument_.dir), argument_, RunsElevated())) {
    case UpdaterRules::RightsStep::Proceed:
        return true;
    case UpdaterRules::RightsStep::Relaunch:
        if (RunElevatedCopy()) {
            return false;
        }
        break;
    case UpdaterRules::RightsStep::GiveUp:
        break;
    }
    Tell(L"没有写入安装目录的权限，更新未进行，客户端将以原来的版本启动。",
         forms::MsgIcon::Exclamation);
    Finish(false);
    return false;
}

// The copy with the rights to write is the client's to start, from the
// install directory the user cannot write: never this copy's own file,
// which lies where the user could replace it. False when it was not
// started; a declined prompt has been said as such.
bool UpdateFrm::RunElevatedCopy() {
    const std::wstring client = UpdaterRules::FileToOpen(argument_, {}, false);
    if (client.empty()) {
        return false;
    }
    // The elevated copy takes the single-instance mark.
    instance_.reset();
    ShowWindow(hWnd(), SW_HIDE);
    unsigned long exitCode = kIncomplete;
    unsigned long error = ERROR_SUCCESS;
    if (!forms::ShellLaunch::Launch(
            {L"runas", client,
             UpdaterRules::kElevatedUpdateSwitch +
                 UpdaterRules::ElevatedArgument(argument_, ManifestPath(), manifest_->sha256),
             &exitCode, &error})) {
        if (error == ERROR_CANCELLED) {
            Tell(L"更新需要管理员权限，授权已被取消，更新未进行，客户端将以原来的版本启动。",
                 forms::MsgIcon::Exclamation);
            Finish(false);
            return true;
        }
        return false;
    }
    if (exitCode == UpdaterRules::kElevatedCopyFailed) {
        Tell(L"无法以管理员身份运行更新程序，更新未进行，客户端将以原来的版本启动。",
             forms::MsgIcon::Exclamation);
    }
    // Otherwise the elevated copy has said how it went; what starts now is
    // named by the manifest this copy verified.
    const bool complete = exitCode == kComplete;
    if (complete) {
        m_strLastFile =
            UpdaterRules::FileToOpen(argument_, UpdaterRules::FileLines(manifest_->text), true);
    }
    Finish(complete);
    return true;
}

std::wstring UpdateFrm::ManifestPath() const {
    return argument_.manifest.empty() ? forms::GetTempDir() + L"update.txt" : argument_.manifest;
}

bool UpdateFrm::RunUpdate() {
    // Without a manifest the job still settles an earlier commit.
    const std::wstring manifest = manifest_ ? manifest_->text : std::wstring();
    UpdateJob job(*m_downfile, argument_, *instance_);
    connections_ += job.FileStarted.Connect([this](const std::wstring& name) {
        SetWindowTextW(Label1, (L"正在下载：" + name).c_str());
        total_ = 0;
        SendMessageW(LumProgressBar1, PBM_SETPOS, 0, 0);
    });
    connections_ += job.Committing.Connect([this](bool committing) {
        BlockSessionEnd(committing);
        if (committing) {
            SetWindowTextW(Label1, L"正在安装…");
        }
    });
    connections_ += job.Waiting.Connect([] { forms::Application::DoEvents(); });
    running_ = true;
    const UpdateJob::Result result = job.Run(
        manifest, [this] { return m_bStop; }, kReplacePatience);
    running_ = false;
    blocked_ = result.blocked;
    unfinished_ = result.unfinished;
    m_strLastFile = result.openFile;
    return result.complete;
}

void UpdateFrm::ShowProgress(DWORD received) {
    SendMessageW(LumProgressBar1, PBM_SETPOS, UpdaterRules::Percent(received, total_), 0);
}

// The window goes back in the message loop, never inside its own load step.
void UpdateFrm::Finish(bool complete) {
    if (!complete) {
        m_strLastFile = UpdaterRules::FileToOpen(argument_, {}, false);
    }
    exitCode_ = complete ? kComplete : kIncomplete;
    // The client recovers at its start only when no one holds the lock.
    instance_.reset();
    // An elevated copy leaves the start to the copy that started it, and
    // an ending session starts nothing.
    if (!m_strLastFile.empty() && !argument_.elevated && !forms::Application::Ending() &&
        !forms::ShellLaunch::Launch({L"open", m_strLastFile, L""})) {
        Tell(L"无法启动游戏客户端，请手动启动游戏。", forms::MsgIcon::Exclamation);
    }
    PostWhileLoaded([this] { Unload(); });
}

// Says only what is true of the files now.
std::wstring UpdateFrm::FailureText() const {
    if (blocked_) {
        return L"上次更新未能完成，部分文件无法恢复，本次更新未进行。请关闭游戏后再试。";
    }
    if (unfinished_) {
        return L"更新未能完成，部分文件尚未恢复，将在下次启动时继续修复。";
    }
    if (GetFileAttributesW(argument_.exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return L"更新未能完成。";
    }
    return L"更新未能完成，客户端将以原来的版本启动。";
}

void UpdateFrm::closebtn_Click() {
    // Once the commit has begun it goes to its end: a stop would cut it.
    if (committing_) {
        return;
    }
    const forms::MsgAnswer answer = forms::Dialogs::Message(
        {L"您是否要退出更新！", Texts::Notice, forms::MsgButtons::YesNo, forms::MsgIcon::Question});
    if (answer == forms::MsgAnswer::Yes) {
        m_bStop = true;
        m_downfile->StopDownLoad();
    }
}

void UpdateFrm::BForm1_MouseDown() {
    forms::DragByCaption(hWnd());
}

void UpdateFrm::OnQueryUnload(bool& cancel) {
    // Closing mid-download is the stop question, not a torn-down window.
    if (running_) {
        cancel = true;
        closebtn_Click();
    }
}

void UpdateFrm::OnUnload() {
    m_downfile.reset();
}

// A log-off in the middle of the commit would leave it to the next start.
void UpdateFrm::BlockSessionEnd(bool block) {
    committing_ = block;
    if (block) {
        ShutdownBlockReasonCreate(hWnd(), L"正在更新游戏文件，请稍候。");
    } else {
        ShutdownBlockReasonDestroy(hWnd());
    }
}

// Only the commit holds a log-off off (with its block reason); a download
// is given up without a word.
bool UpdateFrm::OnQueryEndSession() {
    return !committing_;
}

// The session ends: a download stops quietly and the client is not started;
// a commit runs on as long as the system lets it, the journal covering a cut.
void UpdateFrm::OnEndSession() {
    if (committing_) {
        return;
    }
    m_bStop = true;
    if (m_downfile) {
        m_downfile->StopDownLoad();
    }
    forms::Application::End();
}

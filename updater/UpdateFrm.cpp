#include "updater/UpdateFrm.h"

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/Picture.h"
#include "resources/resource.h"
#include "startup/ManifestText.h"
#include "startup/PublicData.h"
#include "forms/ShellLaunch.h"
#include "updater/InstallRights.h"
#include "updater/UpdateJob.h"

#include <commctrl.h>

namespace {

constexpr UINT kFinishMessage = WM_APP + 1;
constexpr unsigned long kManifestSizeLimit = 64 * 1024;
constexpr wchar_t kInstanceName[] = L"Local\\Quelmo.Tavrin.Update";

forms::FormDesign UpdateDesign() {
    forms::FormDesign design;
    design.caption = L"更新";
    design.clientWidthTwips = 5400;
    design.clientHeightTwips = 1650;
    design.style = WS_POPUP | WS_BORDER;
    design.centerScreen = true;
    return design;
}

void Tell(const wchar_t* text, forms::MsgIcon icon) {
    forms::Dialogs::Message({text, L"提示", forms::MsgButtons::Ok, icon});
}

HWND Child(HWND parent, const wchar_t* windowClass, int left, int top, int width, int height) {
    return CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE, left, top, width, height,
                           parent, nullptr, forms::Application::Instance(), nullptr);
}

} // namespace

UpdateFrm::UpdateFrm() : SingleForm(UpdateDesign()) {}

UpdateFrm::~UpdateFrm() {
    if (instance_ != nullptr) {
        CloseHandle(instance_);
    }
}

void UpdateFrm::OnInitialize() {
    const std::optional<UpdaterRules::Argument> argument =
        UpdaterRules::SplitArgument(forms::Application::Command());
    // A second updater beside a running one would fight over the same files.
    instance_ = CreateMutexW(nullptr, FALSE, kInstanceName);
    if (!argument || instance_ == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
        forms::Application::End();
        return;
    }
    argument_ = *argument;
}

void UpdateFrm::CreateControls() {
    BForm1.Create(hWnd(), 0, 0, 5400, 500);
    BForm1.SetCaption(L"更新");
    BForm1.MouseDown.Connect([this](int&, int&, float&, float&) { BForm1_MouseDown(); });
    closebtn.Create(hWnd(), 4600, 100, 645, 270);
    closebtn.Click.Connect([this] { closebtn_Click(); });
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
    m_downfile->QueryFileInfo.Connect([this](DWORD total) { total_ = total; });
    m_downfile->Loading.Connect([this](DWORD received) { ShowProgress(received); });
    closebtn.SetBackPicture(forms::Picture::FromResource(IDB_UPDATE_CLOSE));
    Show();
    if (!EnsureRights()) {
        return;
    }
    const bool complete = RunUpdate();
    if (complete) {
        Tell(L"软件已升至最新版本！", forms::MsgIcon::Information);
    } else if (!m_bStop) {
        Tell(L"更新未能完成，客户端将以原来的版本启动。", forms::MsgIcon::Exclamation);
    }
    Finish(complete);
}

// Under a folder the user may not write to, the updater starts itself once
// more with the rights to do so, and this copy ends without changing anything.
bool UpdateFrm::EnsureRights() {
    if (CanWriteTo(argument_.dir)) {
        return true;
    }
    if (!RunsElevated()) {
        CloseHandle(instance_);
        instance_ = nullptr;
        if (ShellLaunch::Launch(
                {L"runas", forms::Application::ExePath(), forms::Application::Command()})) {
            PostMessageW(hWnd(), kFinishMessage, 0, 0);
            return false;
        }
    }
    Tell(L"没有写入安装目录的权限，更新未进行，客户端将以原来的版本启动。",
         forms::MsgIcon::Exclamation);
    Finish(false);
    return false;
}

bool UpdateFrm::RunUpdate() {
    const std::optional<std::wstring> manifest =
        ReadManifestText(PublicData::GetTempDir() + L"update.txt", kManifestSizeLimit);
    if (!manifest) {
        return false;
    }
    UpdateJob job(*m_downfile, argument_);
    job.FileStarted.Connect([this](const std::wstring& name) {
        SetWindowTextW(Label1, (L"正在下载：" + name).c_str());
        total_ = 0;
        SendMessageW(LumProgressBar1, PBM_SETPOS, 0, 0);
    });
    running_ = true;
    const UpdateJob::Result result = job.Run(
        *manifest, [this] { return m_bStop; }, kReplacePatience);
    running_ = false;
    m_strLastFile = result.openFile;
    return result.complete;
}

void UpdateFrm::ShowProgress(DWORD received) {
    SendMessageW(LumProgressBar1, PBM_SETPOS, UpdaterRules::Percent(received, total_), 0);
}

// The window goes back in the message loop, never inside its own load step.
void UpdateFrm::Finish(bool complete) {
    if (!complete) {
        m_strLastFile = argument_.exe;
    }
    if (!m_strLastFile.empty()) {
        ShellLaunch::Launch({L"open", m_strLastFile, L""});
    }
    PostMessageW(hWnd(), kFinishMessage, 0, 0);
}

void UpdateFrm::closebtn_Click() {
    const forms::MsgAnswer answer = forms::Dialogs::Message(
        {L"您是否要退出更新！", L"提示", forms::MsgButtons::YesNo, forms::MsgIcon::Question});
    if (answer == forms::MsgAnswer::Yes) {
        m_bStop = true;
        m_downfile->StopDownLoad();
    }
}

void UpdateFrm::BForm1_MouseDown() {
    ReleaseCapture();
    SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
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

LRESULT UpdateFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kFinishMessage) {
        Unload();
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

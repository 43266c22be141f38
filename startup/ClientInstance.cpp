#include "startup/ClientInstance.h"

#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/WindowBase.h"
#include "update/InstallLock.h"

namespace {

// The request and its answer: another program's message of the same name
// with other values is not taken for them.
constexpr WPARAM kRequest = 0x54617672;
constexpr LRESULT kAccepted = 0x466F7277;

UINT ComeForwardMessage() {
    static const UINT message = RegisterWindowMessageW(L"Quelmo.Tavrin.ComeForward");
    return message;
}

} // namespace

ClientInstance::ClientInstance(const std::wstring& gameCode, const std::wstring& folder)
    : name_(L"Quelmo.Tavrin.Client." + gameCode + L"." + InstallFolderKey(folder)) {}

ClientInstance::~ClientInstance() {
    Leave();
}

bool ClientInstance::Take() {
    const std::wstring mutexName = L"Local\\" + name_;
    mutex_.reset(CreateMutexW(nullptr, TRUE, mutexName.c_str()));
    const DWORD error = GetLastError();
    if (!mutex_) {
        // Refused: the holder runs as administrator. Any other failure
        // leaves no mark to keep, and the client runs unguarded.
        if (error != ERROR_ACCESS_DENIED) {
            return true;
        }
        HandOver();
        return false;
    }
    if (error != ERROR_ALREADY_EXISTS) {
        return Acquired(WAIT_OBJECT_0);
    }
    if (HandOver()) {
        return false;
    }
    return Acquired(WaitForSingleObject(mutex_.get(), kPatience));
}

// An instance that ended without giving the mark up (a crash) left it
// abandoned: it is this start's now.
bool ClientInstance::Acquired(DWORD waitResult) {
    held_ = waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
    if (held_) {
        Listen();
    }
    return held_;
}

void ClientInstance::Listen() {
    forms::RegisterOwnClass(name_.c_str(), &ClientInstance::Procedure);
    window_ = CreateWindowExW(0, name_.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              forms::Application::Instance(), nullptr);
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Run as administrator, it still hears a start that is not.
        ChangeWindowMessageFilterEx(window_, ComeForwardMessage(), MSGFLT_ALLOW, nullptr);
    }
}

void ClientInstance::Leave() {
    alive_.End();
    if (window_ != nullptr) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
    if (held_) {
        ReleaseMutex(mutex_.get());
        held_ = false;
    }
    mutex_.reset();
}

// Started by the player, this start may give the foreground away; it does
// so to the holder of the window it found.
bool ClientInstance::HandOver() const {
    const HWND first = FindWindowExW(HWND_MESSAGE, nullptr, name_.c_str(), nullptr);
    if (first == nullptr) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(first, &process);
    AllowSetForegroundWindow(process);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(first, ComeForwardMessage(), kRequest, 0,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTime, &answer) != 0 &&
           static_cast<LRESULT>(answer) == kAccepted;
}

LRESULT CALLBACK ClientInstance::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    return forms::Guarded(
        L"ClientInstance",
        [&] {
            auto* self =
                reinterpret_cast<ClientInstance*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            return self != nullptr && message == ComeForwardMessage()
                       ? self->Answer(wParam, lParam)
                       : DefWindowProcW(window, message, wParam, lParam);
        },
        [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

// Whatever sent it, only the exact request counts. An instance that is
// ending refuses, and the start waits for it to go instead.
LRESULT ClientInstance::Answer(WPARAM wParam, LPARAM lParam) {
    if (wParam != kRequest || lParam != 0 || forms::Application::Ending()) {
        return 0;
    }
    forms::Application::Post(alive_, [this] { ComeForward(); });
    return kAccepted;
}

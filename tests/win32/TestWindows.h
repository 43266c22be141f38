#pragma once

#include "forms/Dialogs.h"
#include "forms/Host.h"
#include "forms/ShellLaunch.h"
#include "forms/core/Connection.h"
#include "login/LoginScreen.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Runs what is already posted (and posted while it runs), without waiting.
// A quit request is taken off the queue, so that the next test starts clean,
// and kept for TakeQuitRequest.
void DrainPosted();
// Runs messages and timers as they come until pred holds, for at most
// timeoutMs; returns whether it holds.
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs);
// Whether a pump met a quit request since the last call (or the test's
// start); forgets it.
bool TakeQuitRequest();

// Connections a test keeps until it ends.
forms::Connections& Held();

// A plain top-level window of a class of its own, for hooking tests.
HWND CreatePlainWindow(int x, int y, int width, int height);

// Answers blocking dialogs in the user's place and records what was asked.
class ScriptedDialogs final : public forms::DialogHost {
public:
    ScriptedDialogs() { host_->dialogs = this; }

    std::deque<forms::MsgAnswer> answers;
    std::vector<forms::MessageRequest> messages;
    std::vector<forms::Form*> modalForms;
    // Plays the user's part in a modal form, when set.
    std::function<void(forms::Form&)> answerModal;

    forms::MsgAnswer Message(const forms::MessageRequest& request) override;
    void Modal(forms::Form& form, forms::Form* owner) override;

private:
    forms::HostSwap host_;
};

// Records what would have been started, and starts nothing.
class RecordedLaunches final : public forms::LaunchHost {
public:
    RecordedLaunches() { host_->launches = this; }

    bool accept = true;
    std::vector<forms::LaunchRequest> requests;

    bool Launch(const forms::LaunchRequest& request) override {
        requests.push_back(request);
        return accept;
    }

private:
    forms::HostSwap host_;
};

// The login screen as the game window sees it, recording each call.
class FakeLoginScreen final : public login::LoginScreen {
public:
    void Close() override { calls.push_back("close"); }
    void Minimize() override { calls.push_back("minimize"); }
    void Show() override { calls.push_back("show"); }
    std::vector<std::string> calls;
};

// Clicks the left button at the middle of `control` as the user reaches it:
// the cursor goes there, and the window the system finds at that point of
// the screen gets the move, the press and the release. False, and no click, when the control is not
// the one shown there (hidden, covered or elsewhere).
bool ClickMiddleOf(HWND control);
// Moves the pointer to `at` (screen) and gives `target` a left click there,
// as the system delivers the user's click.
void ClickWindowAt(HWND target, POINT at);

std::vector<unsigned char> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);

// What a screen reader reads of a window: its client object's name and role.
std::pair<std::wstring, long> ReaderView(HWND window);

// Removes the manifest copy an earlier test left where the start-up check
// reads it.
void ForgetStartupManifest();

} // namespace testing_support

#pragma once

#include "forms/Executable.h"
#include "forms/LoadedWindow.h"
#include "forms/core/Lifetime.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace forms {

// The program around the windows: its message loop, the set of loaded
// windows (the program ends when the last one unloads) and facts about the
// running executable.
class Application {
public:
    // Pumps messages until the last window unloads or End is called, then
    // unloads what is still loaded and lets go of what waits: every engine
    // and window is gone when it returns, before the caller uninitialises.
    static int Run();

    // Lets the window system deliver what is pending, as a long task on
    // this thread must between its steps. A quit request is left queued.
    static void DoEvents();

    // What every loop offers each message before it is translated; true
    // when taken (the dialog keys, DialogKeys.h). A port, so that the
    // updater, which must stay small, links none.
    using KeyFilter = bool (*)(const MSG& message);
    static void FilterKeysWith(KeyFilter filter) { keyFilter_ = filter; }
    // Whether the installed filter took the message.
    static bool FilterKey(const MSG& message) {
        return keyFilter_ != nullptr && keyFilter_(message);
    }

    // Ends the program: no close request is asked, but once the loop is
    // left every loaded form runs its unload step, in the order loaded.
    static void End();
    static bool Ending() { return ending_; }
    // The session ends: End, and every form's unload step now. What they
    // let go of (engines, windows) goes as soon as no code of ours runs,
    // before the message that ended the session returns when it found the
    // loop waiting: the system may end the process once it has.
    static void EndSession();
    // Takes an End back, for tests that drive a path which ends the program.
    static void CancelEnd() { ending_ = false; }

    static void FormLoaded(LoadedWindow* form);
    static void FormUnloaded(LoadedWindow* form);
    static const std::vector<LoadedWindow*>& LoadedForms() { return loaded_; }

    // Deletes the form once control is back in the message loop with no
    // code of ours running, so that any callback or step may unload the
    // window it runs in.
    static void DeleteLater(LoadedWindow* form);
    // Destroys the window in the same way, after every waiting release and
    // before any waiting deletion: an engine goes before its host windows.
    static void DestroyLater(HWND window);
    // Runs release now when no code of ours is running, otherwise in the
    // same way as a form's deletion (an engine destroyed under its own
    // event, say, would crash).
    static void ReleaseLater(std::function<void()> release);
    // Deletes what waits, unless code of ours is running.
    static void DeleteRetired();
    // Runs work from the message loop, after the current event, in the
    // order posted and inside the callback boundary. Any thread may post;
    // work posted before Start waits for it.
    static void Post(std::function<void()> work);
    // The same, for work that runs only while owner's life goes on.
    static void Post(const Lifetime& owner, std::function<void()> work);
    // Runs the oldest posted work; the loop calls it.
    static void RunPosted();
    // Called when the last callback returns: the loop deletes what waits.
    static void CallbacksReturned();

    // Owner of the windows that must not show in the taskbar.
    static HWND HiddenOwner();

    // Each program calls this once on the loop's thread, before it makes a
    // window: takes the screen's DPI and makes the window posted work and
    // waiting deletions run from.
    static void Start();
    // Takes the screen's real DPI for every length from then on.
    static void TakeScreenDpi();

    static HINSTANCE Instance() { return Executable::Instance(); }
    static std::wstring ExePath() { return Executable::FullPath(); }
    static std::wstring Path() { return Executable::Folder(); }
    static std::wstring ExeName() { return Executable::Name(); }
    static std::wstring Command() { return Executable::Command(); }

private:
    static void UnloadAll();

    static inline KeyFilter keyFilter_ = nullptr;
    static inline bool ending_ = false;
    static inline bool sessionEnded_ = false;
    static inline HWND hiddenOwner_ = nullptr;
    static inline HWND dispatcher_ = nullptr;
    static inline SRWLOCK postedLock_ = SRWLOCK_INIT;
    // Defined in Application.cpp: made there once, not guarded in every
    // file that includes this one.
    static std::vector<LoadedWindow*> loaded_;
    static std::vector<LoadedWindow*> retired_;
    static std::vector<std::function<void()>> releases_;
    static std::vector<HWND> doomed_;
    static std::deque<std::function<void()>> posted_;
};

} // namespace forms

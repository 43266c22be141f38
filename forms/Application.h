#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace forms {

class Form;

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

    // Ends the program: no close request is asked, but once the loop is
    // left every loaded form runs its unload step, in the order loaded.
    static void End();
    static bool Ending() { return ending_; }
    // Takes an End back, for tests that drive a path which ends the program.
    static void CancelEnd() { ending_ = false; }

    static void FormLoaded(Form* form);
    static void FormUnloaded(Form* form);
    static const std::vector<Form*>& LoadedForms() { return loaded_; }

    // Deletes the form once control is back in the message loop with no
    // code of ours running, so that any callback or step may unload the
    // window it runs in.
    static void DeleteLater(Form* form);
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
    // order posted and inside the callback boundary. A worker thread may
    // post too, once the loop's thread has called ReadyPosts.
    static void Post(std::function<void()> work);
    // Makes, on the loop's thread, the window that posted work waits on.
    static void ReadyPosts() { Reaper(); }
    // Runs the oldest posted work; the loop calls it.
    static void RunPosted();
    // Called when the last callback returns: the loop deletes what waits.
    static void CallbacksReturned();

    // Owner of the windows that must not show in the taskbar.
    static HWND HiddenOwner();

    // Takes the screen's real DPI for every length from then on; each
    // program calls it once at start, before it makes a window.
    static void TakeScreenDpi();

    static HINSTANCE Instance();
    static std::wstring ExePath(); // full name of the running executable
    static std::wstring Path();    // its folder, without a trailing backslash
    static std::wstring ExeName(); // its file name without ".exe"
    static std::wstring Command(); // the argument string

private:
    static HWND Reaper();
    static void UnloadAll();

    static inline bool ending_ = false;
    static inline std::vector<Form*> loaded_;
    static inline HWND hiddenOwner_ = nullptr;
    static inline HWND reaper_ = nullptr;
    static inline std::vector<Form*> retired_;
    static inline std::vector<std::function<void()>> releases_;
    static inline std::vector<HWND> doomed_;
    static inline std::deque<std::function<void()>> posted_;
    static inline SRWLOCK postedLock_ = SRWLOCK_INIT;
};

// For shared owners of a form: the last owner's release waits for the loop.
struct DeleteLaterDeleter {
    void operator()(Form* form) const { Application::DeleteLater(form); }
};

} // namespace forms

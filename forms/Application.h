#pragma once

#include <windows.h>

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
    // Pumps messages until the last window unloads or End is called.
    static int Run();

    // Lets the window system deliver what is pending, as a long task on
    // this thread must between its steps. A quit request is left queued.
    static void DoEvents();

    // Ends the program at once: no further unload steps run.
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
    // Runs release now when no code of ours is running, otherwise in the
    // same way as a form's deletion (an engine destroyed under its own
    // event, say, would crash).
    static void ReleaseLater(std::function<void()> release);
    // Deletes what waits, unless code of ours is running.
    static void DeleteRetired();
    // Called when the last callback returns: the loop deletes what waits.
    static void CallbacksReturned();

    // Owner of the windows that must not show in the taskbar.
    static HWND HiddenOwner();

    static HINSTANCE Instance();
    static std::wstring ExePath(); // full name of the running executable
    static std::wstring Path();    // its folder, without a trailing backslash
    static std::wstring ExeName(); // its file name without ".exe"
    static std::wstring Command(); // the argument string

private:
    static HWND Reaper();

    static inline bool ending_ = false;
    static inline std::vector<Form*> loaded_;
    static inline HWND hiddenOwner_ = nullptr;
    static inline HWND reaper_ = nullptr;
    static inline std::vector<Form*> retired_;
    static inline std::vector<std::function<void()>> releases_;
};

// For shared owners of a form: the last owner's release waits for the loop.
struct DeleteLaterDeleter {
    void operator()(Form* form) const { Application::DeleteLater(form); }
};

} // namespace forms

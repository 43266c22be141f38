#pragma once

#include <windows.h>

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

    // Unloaded windows are deleted once no window procedure of ours is
    // running any more, so a handler may unload the window it runs in.
    static void Retire(Form* form);
    class DispatchScope {
    public:
        DispatchScope() { ++dispatchDepth_; }
        ~DispatchScope();
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;
    };

    // Owner of the windows that must not show in the taskbar.
    static HWND HiddenOwner();

    static HINSTANCE Instance();
    static std::wstring ExePath(); // full name of the running executable
    static std::wstring Path();    // its folder, without a trailing backslash
    static std::wstring ExeName(); // its file name without ".exe"
    static std::wstring Command(); // the argument string

private:
    static inline bool ending_ = false;
    static inline std::vector<Form*> loaded_;
    static inline HWND hiddenOwner_ = nullptr;
    static inline int dispatchDepth_ = 0;
    static inline std::vector<Form*> retired_;
};

} // namespace forms

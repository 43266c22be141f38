#pragma once

#include "forms/Application.h"
#include "forms/LoadedWindow.h"
#include "forms/PersistentSurface.h"
#include "forms/WindowBase.h"
#include "forms/core/Lifetime.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace forms {

// What a window's design fixes before it is created.
struct FormDesign {
    std::wstring caption;
    int clientWidthTwips = 4800;
    int clientHeightTwips = 3600;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    // Centred on the monitor that holds the pointer, where the player looks.
    bool centerScreen = false;
    bool showInTaskbar = true;
};

// A top-level window with the steps initialise, load, resize, close request
// and unload. Positions and sizes are in twips. A form unloaded while code
// of ours runs is hidden at once; its window is destroyed and the form freed
// only back in the message loop.
class Form : public WindowBase {
public:
    bool IsLoaded() const { return loaded_.Alive(); }

    void Show();
    void Hide();
    bool Visible() const;
    // Shows the window and returns only once it is hidden or unloaded;
    // the owner is disabled meanwhile. Goes through the dialog seam.
    void ShowModal(Form* owner);
    // Runs the close request, then the unload step; false when cancelled.
    bool Unload();
    // The unload step without the close request, as the program's end runs it.
    void UnloadAtEnd();

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ScaleWidth() const;
    int ScaleHeight() const;
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);

    // The form's persistent surface: what is drawn on it stays and is shown
    // on every repaint. Made on first use, cleared when the form is resized.
    HDC Surface();
    void Cls();
    void SetMousePointer(HCURSOR cursor);

    // The modal message loop itself; the real dialog host calls it.
    void RunModalLoop(Form* owner);

protected:
    explicit Form(FormDesign design);

    // Creates the window between the initialise and the load steps.
    void LoadForm();

    virtual void OnInitialize() {}
    virtual void OnLoad() {}
    virtual void OnResize() {}
    virtual void OnQueryUnload(bool& /*cancel*/) {}
    virtual void OnUnload() {}
    // Whether the session may end; yes by default, as nothing is unsaved.
    virtual bool OnQueryEndSession() { return true; }
    // The session ends: by default the program ends at once, asking
    // nothing (Application::EndSession).
    virtual void OnEndSession();
    // Every other message; the default is the system's handling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone, so a single instance can forget itself.
    virtual void Released() {}
    // Runs work from the loop after the current event (Application::Post),
    // unless the form has unloaded by then.
    void PostWhileLoaded(std::function<void()> work);
    // Single instances are owned by nobody: their unload destroys them.
    void DeleteOnUnload() { deleteOnUnload_ = true; }

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateFormWindow();
    void RunUnloadStep();
    // The unload's last part: the window goes, the program forgets the form.
    void Retire();

    FormDesign design_;
    PersistentSurface surface_;
    HCURSOR cursor_ = nullptr;
    // The window a modal loop keeps disabled, while it does.
    HWND modalOwner_ = nullptr;
    Lifetime loaded_{false};
    LoadedWindow asLoaded_{this, [](void* form) { static_cast<Form*>(form)->UnloadAtEnd(); },
                           [](void* form) { delete static_cast<Form*>(form); }};
    friend struct DeleteLaterDeleter;
    bool loadStepDone_ = false;
    bool unloading_ = false;
    bool deleteOnUnload_ = false;
};

// For shared owners of a form: the last owner's release waits for the loop.
struct DeleteLaterDeleter {
    void operator()(Form* form) const { Application::DeleteLater(&form->asLoaded_); }
};

} // namespace forms

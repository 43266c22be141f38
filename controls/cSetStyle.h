#pragma once

#include "controls/core/EdgeRules.h"
#include "forms/Handles.h"
#include "forms/core/Event.h"
#include "forms/core/WorkAreaRules.h"
#include "msghook/cFormSubclass.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace forms {
class Form;
}

// Gives a borderless form what a frame would: a system menu and minimise
// box, sizing by its outer 5 pixels with a rubber band and a minimum size,
// a maximised state of its own that fills its monitor's work area (refitted
// when the monitors change or it moves to another), and a close event from
// the system menu.
class cSetStyle {
public:
    struct SizeState {
        long RestoreWidth = 0, RestoreHeight = 0, RestoreLeft = 0, RestoreTop = 0;
        int Zone = EdgeRules::None;
        long CursorX = 0, CursorY = 0;
        RECT WindowRect{}, OldRect{}, NewRect{};
    };

    cSetStyle();
    ~cSetStyle();
    cSetStyle(const cSetStyle&) = delete;
    cSetStyle& operator=(const cSetStyle&) = delete;

    forms::Form* objForm() const { return objForm_; }
    void SetobjForm(forms::Form* form) { objForm_ = form; }

    // Replaces the whole style with WS_SYSMENU | WS_MINIMIZEBOX, keeping
    // WS_CLIPCHILDREN, and starts watching the window's messages.
    void SetWindowStyle(HWND hWnd);
    // Toggles the maximised state; answers whether it is now maximised.
    bool CallWindowStateChange();
    bool Sizing() const { return sizing_; }
    const SizeState& State() const { return sizeState_; }

    forms::Event<> CloseClick;
    forms::Event<> SettingChange;
    forms::Event<long> MouseSize; // the zone

private:
    void OnFormMessage(bool before, UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam);
    void OnButtonDown();
    void OnButtonUp();
    void TakeScreenDc();
    void SetEdgeCursor(int zone);
    void DrawSizingRect(const RECT& rect);
    void RefitMaximized();
    void FillWorkArea();

    forms::Form* objForm_ = nullptr;
    std::unique_ptr<cFormSubclass> subclass_;
    HWND window_ = nullptr;
    // The screen's DC while the rubber band is drawn.
    std::optional<forms::WindowDc> screenDc_;
    bool sizing_ = false;
    bool maximized_ = false;
    // The monitor the maximised window was last fitted to.
    WorkAreaRules::Monitor fittedMonitor_;
    SizeState sizeState_;
    // Last: disconnected before any member they reach goes.
    forms::Connections connections_;
};

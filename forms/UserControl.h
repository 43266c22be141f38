#pragma once

#include "forms/Handles.h"
#include "forms/PersistentSurface.h"
#include "forms/Picture.h"
#include "forms/WindowBase.h"
#include "forms/core/Event.h"
#include "forms/core/PropertyBag.h"

#include <windows.h>

#include <string>

namespace forms {

// Mouse buttons and shift keys as events report them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftKey { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

// A child window that paints itself on a persistent surface (what was drawn
// stays until cleared), keeps its design settings in a property bag and
// tells its subclass about input. Lengths are twips.
class UserControl : public WindowBase {
public:
    // Places the control on its container's window.
    void Create(HWND parent, double left, double top, double width, double height);
    // The persistent surface's device context.
    HDC hDC() const { return surface_.dc(); }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(double left, double top, double width, double height);
    void SetSize(double width, double height);

    bool Enabled() const { return enabled_; }
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF colour) { backColor_ = colour; }
    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF colour) { foreColor_ = colour; }
    const LOGFONTW& Font() const { return logFont_; }
    void SetFont(const LOGFONTW& font);
    void SetMousePointer(HCURSOR cursor);

    // Fills the surface with the back colour.
    void Cls();
    int TextWidth(const std::wstring& text) const;
    int TextHeight(const std::wstring& text) const;
    // Text in the font and fore colour, its top-left corner at (x, y).
    void Print(int x, int y, const std::wstring& text);
    // A rectangle of the picture, stretched onto the surface (all twips).
    void PaintPicture(const Picture& picture, double x, double y, double width, double height,
                      double sourceX, double sourceY, double sourceWidth, double sourceHeight);
    // Shows the surface now.
    void Refresh();

    // Each control reads and writes its own settings in a PropertyBag with
    // ReadProperties and WriteProperties, not virtual: a program that never
    // stores a design does not link the bag's parsing and formatting.

    // A saved setting changed; the container marks its design as changed.
    Event<const char*> PropertyChanged; // the property's name

protected:
    UserControl();
    // A control of its own window class, e.g. one that keeps its own DC.
    explicit UserControl(const WindowClass& windowClass);
    void SetEnabledFlag(bool enabled);

    // Whether Tab stops on the control; only controls that act on keys do.
    virtual bool TabStop() const { return false; }
    virtual void HandleShow() {}
    virtual void HandleResize() {}
    virtual void HandleMouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void HandleMouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void HandleMouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void HandleClick() {}
    virtual void HandleDblClick() {}
    virtual void HandleKeyDown(int /*keyCode*/, int /*shift*/) {}
    virtual void HandleKeyUp(int /*keyCode*/, int /*shift*/) {}
    virtual void HandleKeyPress(int /*keyAscii*/) {}
    virtual void HandleGotFocus() {}
    virtual void HandleLostFocus() {}
    virtual void HandleTimer(UINT_PTR /*id*/) {}
    // Any message before the control's own handling; true when answered.
    virtual bool HandleControlMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                      LRESULT& /*result*/) {
        return false;
    }

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void RebuildSurface();

    const WindowClass& windowClass_;
    PersistentSurface surface_;
    GdiFont font_;
    SelectedObject fontSelection_;
    LOGFONTW logFont_{};
    COLORREF backColor_ = GetSysColor(COLOR_BTNFACE);
    COLORREF foreColor_ = GetSysColor(COLOR_BTNTEXT);
    HCURSOR cursor_ = LoadCursorW(nullptr, IDC_ARROW);
    bool enabled_ = true;
    bool shown_ = false;
    int pressedButtons_ = 0;
    bool doubleClicked_ = false;
};

} // namespace forms

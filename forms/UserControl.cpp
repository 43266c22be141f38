#include "forms/UserControl.h"

#include "forms/Application.h"
#include "forms/core/Units.h"

#include <windowsx.h>

namespace forms {

namespace {

int Pixels(double twips) {
    return TwipsToPixels(twips);
}
float Twips(int pixels) {
    return static_cast<float>(PixelsToTwips(pixels));
}
int WholeTwips(int pixels) {
    return static_cast<int>(RoundHalfEven(PixelsToTwips(pixels)));
}

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

// A mouse message brings Shift and Ctrl along; only Alt has to be asked
// for, and each asking is a trip to the system.
int MouseShiftState(WPARAM keys) {
    return ((keys & MK_SHIFT) != 0 ? kShiftMask : 0) | ((keys & MK_CONTROL) != 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

int ButtonsOf(WPARAM keys) {
    return ((keys & MK_LBUTTON) != 0 ? kLeftButton : 0) |
           ((keys & MK_RBUTTON) != 0 ? kRightButton : 0) |
           ((keys & MK_MBUTTON) != 0 ? kMiddleButton : 0);
}

int ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return kRightButton;
    default:
        return kMiddleButton;
    }
}

} // namespace

UserControl::UserControl() : UserControl(kFormClass) {}

UserControl::UserControl(const WindowClass& windowClass) : windowClass_(windowClass) {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont_, &logFont_);
}

void UserControl::Create(HWND parent, double left, double top, double width, double height) {
    CreateBound(0, L"", WS_CHILD | WS_VISIBLE | (TabStop() ? WS_TABSTOP : 0) | WS_CLIPSIBLINGS,
                Pixels(left), Pixels(top), Pixels(width), Pixels(height), parent, windowClass_);
    SetFont(logFont_);
    RebuildSurface();
    HandleResize();
    if (IsWindowVisible(hWnd()) && !shown_) {
        shown_ = true;
        HandleShow();
    }
}

int UserControl::Left() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    MapWindowPoints(nullptr, GetParent(hWnd()), reinterpret_cast<POINT*>(&r), 2);
    return WholeTwips(r.left);
}

int UserControl::Top() const {
    RECT r{};
    GetWindowRect(hWnd(), &r);
    MapWindowPoints(nullptr, GetParent(hWnd()), reinterpret_cast<POINT*>(&r), 2);
    return WholeTwips(r.top);
}

int UserControl::Width() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return WholeTwips(r.right);
}

int UserControl::Height() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return WholeTwips(r.bottom);
}

void UserControl::Move(double left, double top, double width, double height) {
    MoveWindow(hWnd(), Pixels(left), Pixels(top), Pixels(width), Pixels(height), TRUE);
}

void UserControl::SetSize(double width, double height) {
    SetWindowPos(hWnd(), nullptr, 0, 0, Pixels(width), Pixels(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void UserControl::SetFont(const LOGFONTW& font) {
    logFont_ = font;
    fontSelection_.Restore();
    font_.reset(CreateFontIndirectW(&logFont_));
    if (surface_) {
        fontSelection_ = SelectedObject(surface_.dc(), font_.get());
    }
}

void UserControl::SetMousePointer(HCURSOR cursor) {
    cursor_ = cursor;
    SetCursor(cursor);
}

void UserControl::SetEnabledFlag(bool enabled) {
    enabled_ = enabled;
    if (hWnd() != nullptr) {
        EnableWindow(hWnd(), enabled ? TRUE : FALSE);
    }
}

void UserControl::Cls() {
    RECT r{};
    GetClientRect(hWnd(), &r);
    SetBkColor(surface_.dc(), backColor_);
    ExtTextOutW(surface_.dc(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

int UserControl::TextWidth(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(surface_.dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return WholeTwips(size.cx);
}

int UserControl::TextHeight(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(surface_.dc(), text.empty() ? L"X" : text.c_str(),
                          text.empty() ? 1 : static_cast<int>(text.size()), &size);
    return WholeTwips(size.cy);
}

void UserControl::Print(int x, int y, const std::wstring& text) {
    SetBkMode(surface_.dc(), TRANSPARENT);
    SetTextColor(surface_.dc(), foreColor_);
    TextOutW(surface_.dc(), Pixels(x), Pixels(y), text.c_str(), static_cast<int>(text.size()));
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void UserControl::PaintPicture(const Picture& picture, double x, double y, double width,
                               double height, double sourceX, double sourceY, double sourceWidth,
                               double sourceHeight) {
    forms::PaintPicture(surface_.dc(), picture, x, y, width, height, sourceX, sourceY, sourceWidth,
                        sourceHeight);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void UserControl::Refresh() {
    InvalidateRect(hWnd(), nullptr, FALSE);
    UpdateWindow(hWnd());
}

void UserControl::RebuildSurface() {
    fontSelection_.Restore();
    surface_.Resize(hWnd());
    fontSelection_ = SelectedObject(surface_.dc(), font_.get());
    Cls();
}

LRESULT UserControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (HandleControlMessage(message, wParam, lParam, answer)) {
        return answer;
    }
    if (HandleMouse(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        surface_.Paint(hWnd());
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (surface_) {
            RebuildSurface();
            HandleResize();
        }
        return 0;
    case WM_SHOWWINDOW:
        if (wParam != FALSE && !shown_ && surface_) {
            shown_ = true;
            HandleShow();
        }
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        HandleKeyDown(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_KEYUP:
        HandleKeyUp(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_CHAR:
        HandleKeyPress(static_cast<int>(wParam));
        return 0;
    case WM_SETFOCUS:
        HandleGotFocus();
        return 0;
    case WM_KILLFOCUS:
        HandleLostFocus();
        return 0;
    case WM_TIMER:
        HandleTimer(wParam);
        return 0;
    default:
        break;
    }
    return DefaultProcedure(message, wParam, lParam);
}

// Press, move and release as a form's control reports them: a click is a
// release over the control of a button that was pressed on it.
bool UserControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const float x = Twips(GET_X_LPARAM(lParam));
    const float y = Twips(GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != hWnd()) {
            SetFocus(hWnd());
        }
        pressedButtons_ |= ButtonOf(message);
        SetCapture(hWnd());
        HandleMouseDown(ButtonOf(message), MouseShiftState(wParam), x, y);
        return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        pressedButtons_ |= ButtonOf(message);
        doubleClicked_ = true;
        SetCapture(hWnd());
        HandleDblClick();
        return true;
    case WM_MOUSEMOVE:
        HandleMouseMove(ButtonsOf(wParam), MouseShiftState(wParam), x, y);
        return true;
    case WM_CAPTURECHANGED:
        // A system move loop or another window took the mouse: the release
        // will never come here, so no button stays pressed.
        if (reinterpret_cast<HWND>(lParam) != hWnd()) {
            pressedButtons_ = 0;
            doubleClicked_ = false;
        }
        return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = ButtonOf(message);
        const bool wasPressed = (pressedButtons_ & button) != 0;
        pressedButtons_ &= ~button;
        if (pressedButtons_ == 0) {
            ReleaseCapture();
        }
        RECT r{};
        GetClientRect(hWnd(), &r);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool inside = PtInRect(&r, at) != FALSE;
        const bool clicked = wasPressed && inside && !doubleClicked_;
        doubleClicked_ = false;
        HandleMouseUp(button, MouseShiftState(wParam), x, y);
        if (clicked) {
            HandleClick();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace forms

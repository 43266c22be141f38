#include "controls/cSetStyle.h"

#include "forms/Form.h"
#include "forms/WorkArea.h"
#include "forms/core/Units.h"
#include "forms/core/WorkAreaRules.h"

namespace {

forms::Rect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
RECT ToRECT(const forms::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void MoveTo(HWND window, const forms::Rect& r) {
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// Whether a WM_WINDOWPOSCHANGED moved, sized or showed the window.
bool Moved(LPARAM lParam) {
    const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
    return (flags & SWP_SHOWWINDOW) != 0 ||
           (flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
}

int Px(long twips) {
    return forms::TwipsToPixels(static_cast<int>(twips));
}

} // namespace

cSetStyle::cSetStyle() : subclass_(std::make_unique<cFormSubclass>()) {
    connections_ += subclass_->MsgCome.Connect(
        [this](bool bBefore, bool&, LRESULT&, HWND&, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) {
            OnFormMessage(bBefore, uMsg, wParam, lParam);
        });
}

cSetStyle::~cSetStyle() {
    subclass_->DeleteWindowMsg(window_);
}

void cSetStyle::SetWindowStyle(HWND hWnd) {
    window_ = hWnd;
    // Children stay clipped: the page is not painted over on every resize.
    const LONG_PTR clip = GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CLIPCHILDREN;
    SetWindowLongPtrW(hWnd, GWL_STYLE, clip | WS_SYSMENU | WS_MINIMIZEBOX);
    subclass_->AddWindowMsgs(hWnd);
}

bool cSetStyle::CallWindowStateChange() {
    if (maximized_) {
        const long left = Px(sizeState_.RestoreLeft);
        const long top = Px(sizeState_.RestoreTop);
        const forms::Rect restore{left, top, left + Px(sizeState_.RestoreWidth),
                                  top + Px(sizeState_.RestoreHeight)};
        maximized_ = false;
        MoveTo(window_, WorkAreaRules::KeptInside(restore, forms::WorkAreaOfWindow(window_)));
    } else {
        sizeState_.RestoreWidth = objForm_->Width();
        sizeState_.RestoreHeight = objForm_->Height();
        sizeState_.RestoreLeft = objForm_->Left();
        sizeState_.RestoreTop = objForm_->Top();
        FillWorkArea();
        maximized_ = true;
    }
    return maximized_;
}

// Runs inside the watched window's messages. CloseClick's handler may end
// this object: nothing here touches it after raising an event.
void cSetStyle::OnFormMessage(bool before, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!before) {
        return;
    }
    switch (message) {
    case WM_SETTINGCHANGE:
        RefitMaximized();
        SettingChange();
        break;
    case WM_DISPLAYCHANGE:
        RefitMaximized();
        break;
    case WM_WINDOWPOSCHANGED:
        // Moved to another monitor (Win+Shift+Arrow), or restored from the
        // taskbar after its monitor changed meanwhile.
        if (maximized_ && Moved(lParam) && !IsIconic(window_) &&
            forms::MonitorOfWindow(window_) != fittedMonitor_) {
            FillWorkArea();
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            CloseClick();
        }
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam);
        break;
    case WM_LBUTTONDOWN:
        OnButtonDown();
        break;
    case WM_LBUTTONUP:
        OnButtonUp();
        break;
    default:
        break;
    }
}

void cSetStyle::OnMouseMove(WPARAM wParam) {
    POINT at{};
    GetCursorPos(&at);
    sizeState_.CursorX = at.x;
    sizeState_.CursorY = at.y;
    if (!sizing_ && !maximized_) {
        RECT r{};
        GetWindowRect(window_, &r);
        sizeState_.Zone = EdgeRules::HitTestEdge(ToRect(r), at.x, at.y);
        const int zone = sizeState_.Zone;
        SetEdgeCursor(zone);
        MouseSize(zone);
        return;
    }
    if (sizing_ && (wParam & MK_LBUTTON) != 0) {
        TakeScreenDc();
        sizeState_.NewRect =
            ToRECT(EdgeRules::DragRect(ToRect(sizeState_.NewRect), sizeState_.Zone, at.x, at.y));
        DrawSizingRect(sizeState_.OldRect);
        DrawSizingRect(sizeState_.NewRect);
        sizeState_.OldRect = sizeState_.NewRect;
    }
}

void cSetStyle::OnButtonDown() {
    POINT at{};
    GetCursorPos(&at);
    RECT r{};
    GetWindowRect(window_, &r);
    sizeState_.Zone = EdgeRules::HitTestEdge(ToRect(r), at.x, at.y);
    if (sizeState_.Zone == EdgeRules::None || sizing_ || maximized_) {
        return;
    }
    sizing_ = true;
    // Moves and the release must reach the window wherever the pointer goes.
    SetCapture(window_);
    sizeState_.WindowRect = r;
    sizeState_.OldRect = r;
    sizeState_.NewRect = r;
    TakeScreenDc();
    DrawSizingRect(sizeState_.OldRect);
}

void cSetStyle::OnButtonUp() {
    if (!sizing_) {
        return;
    }
    sizing_ = false;
    DrawSizingRect(sizeState_.OldRect);
    ReleaseCapture();
    const RECT& r = sizeState_.OldRect;
    MoveWindow(window_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    screenDc_.reset();
}

void cSetStyle::TakeScreenDc() {
    if (!screenDc_) {
        screenDc_.emplace(nullptr);
    }
}

void cSetStyle::SetEdgeCursor(int zone) {
    const wchar_t* shape = IDC_ARROW;
    switch (zone) {
    case EdgeRules::TopRight:
    case EdgeRules::BottomLeft:
        shape = IDC_SIZENESW;
        break;
    case EdgeRules::Right:
    case EdgeRules::Left:
        shape = IDC_SIZEWE;
        break;
    case EdgeRules::BottomRight:
    case EdgeRules::TopLeft:
        shape = IDC_SIZENWSE;
        break;
    case EdgeRules::Top:
    case EdgeRules::Bottom:
        shape = IDC_SIZENS;
        break;
    default:
        break;
    }
    if (objForm_ != nullptr) {
        objForm_->SetMousePointer(LoadCursorW(nullptr, shape));
    }
}

void cSetStyle::DrawSizingRect(const RECT& rect) {
    if (screenDc_) {
        DrawFocusRect(screenDc_->get(), &rect);
    }
}

// Minimised, the window is refitted when it is restored (WM_WINDOWPOSCHANGED).
void cSetStyle::RefitMaximized() {
    if (!maximized_ || IsIconic(window_)) {
        return;
    }
    FillWorkArea();
}

// The work area of the window's own monitor: no taskbar on any side covers
// it, an auto-hide one can still come up, and a window on a second monitor
// stays there.
void cSetStyle::FillWorkArea() {
    // Noted first: the move below comes back here as WM_WINDOWPOSCHANGED.
    fittedMonitor_ = forms::MonitorOfWindow(window_);
    MoveTo(window_, WorkAreaRules::Maximised(fittedMonitor_));
}

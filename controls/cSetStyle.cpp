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

int Px(long twips) {
    return forms::TwipsToPixels(static_cast<int>(twips));
}

} // namespace

cSetStyle::cSetStyle() : objSubclass(std::make_unique<cFormSubclass>()) {
    objSubclass->MsgCome.Connect([this](bool bBefore, bool&, LRESULT&, HWND&, UINT& uMsg,
                                        WPARAM& wParam,
                                        LPARAM&) { objSubclass_MsgCome(bBefore, uMsg, wParam); });
}

cSetStyle::~cSetStyle() {
    objSubclass->DeleteWindowMsg(m_hWnd);
}

void cSetStyle::SetWindowStyle(HWND hWnd) {
    m_hWnd = hWnd;
    SetWindowLongPtrW(hWnd, GWL_STYLE, WS_SYSMENU | WS_MINIMIZEBOX);
    objSubclass->AddWindowMsgs(hWnd);
}

bool cSetStyle::CallWindowStateChange() {
    if (m_bMaxed) {
        const long left = Px(SizeState_.RestoreLeft);
        const long top = Px(SizeState_.RestoreTop);
        const forms::Rect restore{left, top, left + Px(SizeState_.RestoreWidth),
                                  top + Px(SizeState_.RestoreHeight)};
        MoveTo(m_hWnd, WorkAreaRules::KeptInside(restore, WorkAreaOfWindow(m_hWnd)));
        m_bMaxed = false;
    } else {
        SizeState_.RestoreWidth = objForm_->Width();
        SizeState_.RestoreHeight = objForm_->Height();
        SizeState_.RestoreLeft = objForm_->Left();
        SizeState_.RestoreTop = objForm_->Top();
        FillWorkArea();
        m_bMaxed = true;
    }
    return m_bMaxed;
}

// Runs inside the watched window's messages. CloseClick's handler may end
// this object: nothing here touches it after raising an event.
void cSetStyle::objSubclass_MsgCome(bool bBefore, UINT uMsg, WPARAM wParam) {
    if (!bBefore) {
        return;
    }
    switch (uMsg) {
    case WM_SETTINGCHANGE:
        SettingChange();
        RefitMaximized();
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
    SizeState_.CursorX = at.x;
    SizeState_.CursorY = at.y;
    if (!m_bSizing && !m_bMaxed) {
        RECT r{};
        GetWindowRect(m_hWnd, &r);
        SizeState_.Zone = EdgeRules::HitTestEdge(ToRect(r), at.x, at.y);
        const int zone = SizeState_.Zone;
        SetEdgeCursor(zone);
        MouseSize(zone);
        return;
    }
    if (m_bSizing && (wParam & MK_LBUTTON) != 0) {
        TakeScreenDc();
        SizeState_.NewRect =
            ToRECT(EdgeRules::DragRect(ToRect(SizeState_.NewRect), SizeState_.Zone, at.x, at.y));
        DrawSizingRect(SizeState_.OldRect);
        DrawSizingRect(SizeState_.NewRect);
        SizeState_.OldRect = SizeState_.NewRect;
    }
}

void cSetStyle::OnButtonDown() {
    POINT at{};
    GetCursorPos(&at);
    RECT r{};
    GetWindowRect(m_hWnd, &r);
    SizeState_.Zone = EdgeRules::HitTestEdge(ToRect(r), at.x, at.y);
    if (SizeState_.Zone == EdgeRules::None || m_bSizing || m_bMaxed) {
        return;
    }
    m_bSizing = true;
    // Moves and the release must reach the window wherever the pointer goes.
    SetCapture(m_hWnd);
    SizeState_.WindowRect = r;
    SizeState_.OldRect = r;
    SizeState_.NewRect = r;
    TakeScreenDc();
    DrawSizingRect(SizeState_.OldRect);
}

void cSetStyle::OnButtonUp() {
    if (!m_bSizing) {
        return;
    }
    m_bSizing = false;
    DrawSizingRect(SizeState_.OldRect);
    ReleaseCapture();
    const RECT& r = SizeState_.OldRect;
    MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    m_hScreenDC.reset();
}

void cSetStyle::TakeScreenDc() {
    if (!m_hScreenDC) {
        m_hScreenDC.emplace(nullptr);
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
    if (m_hScreenDC) {
        DrawFocusRect(m_hScreenDC->get(), &rect);
    }
}

void cSetStyle::RefitMaximized() {
    if (objForm_ == nullptr || !m_bMaxed || IsIconic(objForm_->hWnd())) {
        return;
    }
    FillWorkArea();
}

// The work area of the window's own monitor: no taskbar on any side covers
// it, and a window on a second monitor stays there.
void cSetStyle::FillWorkArea() {
    MoveTo(m_hWnd, WorkAreaOfWindow(m_hWnd));
}

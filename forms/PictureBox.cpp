#include "forms/PictureBox.h"

#include "forms/CallbackBoundary.h"
#include "forms/WindowBase.h"

namespace forms {

namespace {

constexpr wchar_t kClass[] = L"TavrinPictureBox";

} // namespace

PictureBox::PictureBox(HWND parent, int left, int top, int width, int height, COLORREF backColor)
    : backColor_(backColor) {
    RegisterOwnClass(kClass, &PictureBox::WindowProc);
    hwnd_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, left, top,
                            width, height, parent, nullptr, GetModuleHandleW(nullptr), this);
}

PictureBox::~PictureBox() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void PictureBox::Move(int left, int top, int width, int height) {
    MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void PictureBox::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

void PictureBox::SetPicture(GdiBitmap bitmap) {
    picture_ = std::move(bitmap);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

int PictureBox::ScaleWidth() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.right;
}

int PictureBox::ScaleHeight() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r.bottom;
}

void PictureBox::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    SetDCBrushColor(dc, backColor_);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (picture_) {
        BITMAP info{};
        GetObjectW(picture_.get(), sizeof info, &info);
        MemoryDc source(CreateCompatibleDC(dc));
        SelectedObject selection(source.get(), picture_.get());
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
}

LRESULT PictureBox::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        // The owner's sizing pointer stops at its controls.
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    case WM_SIZE:
        Resize();
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded(
        L"PictureBox",
        [&]() -> LRESULT {
            if (message == WM_NCCREATE) {
                auto* box = static_cast<PictureBox*>(
                    reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
                box->hwnd_ = hWnd;
                SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
            }
            auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
            if (box == nullptr || message == WM_NCDESTROY) {
                return DefWindowProcW(hWnd, message, wParam, lParam);
            }
            return box->Dispatch(message, wParam, lParam);
        },
        [&]() -> LRESULT { return DefWindowProcW(hWnd, message, wParam, lParam); });
}

} // namespace forms

#include "forms/PictureBox.h"

namespace forms {

namespace {

constexpr wchar_t kClass[] = L"TavrinPictureBox";

} // namespace

PictureBox::PictureBox(HWND parent, int left, int top, int width, int height, COLORREF backColor)
    : backColor_(backColor) {
    CreateBound(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, left, top, width, height, parent,
                {kClass, nullptr, 0});
}

void PictureBox::Move(int left, int top, int width, int height) {
    MoveWindow(hWnd(), left, top, width, height, TRUE);
}

void PictureBox::SetVisible(bool visible) {
    ShowWindow(hWnd(), visible ? SW_SHOW : SW_HIDE);
}

void PictureBox::SetPicture(GdiBitmap bitmap) {
    picture_ = std::move(bitmap);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

int PictureBox::ScaleWidth() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return r.right;
}

int PictureBox::ScaleHeight() const {
    RECT r{};
    GetClientRect(hWnd(), &r);
    return r.bottom;
}

void PictureBox::Paint(HDC dc) const {
    RECT r{};
    GetClientRect(hWnd(), &r);
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
        HDC dc = BeginPaint(hWnd(), &ps);
        Paint(dc);
        EndPaint(hWnd(), &ps);
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
    return DefaultProcedure(message, wParam, lParam);
}

} // namespace forms

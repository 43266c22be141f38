#include "tabs/mdlTabAPI.h"

#include <utility>

namespace mdlTabAPI {

namespace {

forms::MemoryDc CompatibleDc(const forms::WindowDc& screen) {
    return forms::MemoryDc(screen.get() != nullptr ? CreateCompatibleDC(screen.get()) : nullptr);
}

} // namespace

void SetWindowStyleBits(HWND window, int index, LONG_PTR clearBits, LONG_PTR setBits,
                        UINT swpFlags) {
    const LONG_PTR old = GetWindowLongPtrW(window, index);
    const LONG_PTR updated = (old & ~clearBits) | setBits;
    if (updated != old) {
        SetWindowLongPtrW(window, index, updated);
    }
    if (swpFlags != 0) {
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

forms::BitmapDc CreateMemDC(int width, int height) {
    const forms::WindowDc screen(nullptr);
    forms::GdiBitmap bitmap(screen.get() != nullptr && width > 0 && height > 0
                                ? CreateCompatibleBitmap(screen.get(), width, height)
                                : nullptr);
    forms::MemoryDc dc = bitmap ? CompatibleDc(screen) : forms::MemoryDc();
    if (!dc) {
        return {};
    }
    return forms::BitmapDc(std::move(dc), std::move(bitmap));
}

forms::BitmapDc CreateBitmapDC(forms::GdiBitmap bitmap) {
    const forms::WindowDc screen(nullptr);
    forms::MemoryDc dc = CompatibleDc(screen);
    if (!dc) {
        return {};
    }
    return forms::BitmapDc(std::move(dc), std::move(bitmap));
}

BOOL TransBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy,
              COLORREF keyColour) {
    return TransparentBlt(dest, x, y, width, height, src, sx, sy, width, height, keyColour);
}

BOOL DrawSkin(HDC dest, int x, int y, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
              int left, int top, int right, int bottom, std::optional<COLORREF> keyColour) {
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) {
        return 0;
    }
    const forms::BitmapDc buffer = CreateMemDC(dw, dh);
    if (!buffer) {
        return 0;
    }
    const HDC scratch = buffer.get();
    SetStretchBltMode(scratch, HALFTONE);
    if (left <= 0 && top <= 0 && right <= 0 && bottom <= 0) {
        StretchBlt(scratch, 0, 0, dw, dh, src, sx, sy, sw, sh, SRCCOPY);
    } else {
        const int midW = dw - left - right;
        const int midH = dh - top - bottom;
        const int srcMidW = sw - left - right;
        const int srcMidH = sh - top - bottom;
        if (left > 0 && top > 0) {
            BitBlt(scratch, 0, 0, left, top, src, sx, sy, SRCCOPY);
        }
        if (right > 0 && top > 0) {
            BitBlt(scratch, dw - right, 0, right, top, src, sx + sw - right, sy, SRCCOPY);
        }
        if (left > 0 && bottom > 0) {
            BitBlt(scratch, 0, dh - bottom, left, bottom, src, sx, sy + sh - bottom, SRCCOPY);
        }
        if (right > 0 && bottom > 0) {
            BitBlt(scratch, dw - right, dh - bottom, right, bottom, src, sx + sw - right,
                   sy + sh - bottom, SRCCOPY);
        }
        if (left > 0) {
            StretchBlt(scratch, 0, top, left, midH, src, sx, sy + top, left, srcMidH, SRCCOPY);
        }
        if (right > 0) {
            StretchBlt(scratch, dw - right, top, right, midH, src, sx + sw - right, sy + top, right,
                       srcMidH, SRCCOPY);
        }
        if (top > 0) {
            StretchBlt(scratch, left, 0, midW, top, src, sx + left, sy, srcMidW, top, SRCCOPY);
        }
        if (bottom > 0) {
            StretchBlt(scratch, left, dh - bottom, midW, bottom, src, sx + left, sy + sh - bottom,
                       srcMidW, bottom, SRCCOPY);
        }
        StretchBlt(scratch, left, top, midW, midH, src, sx + left, sy + top, srcMidW, srcMidH,
                   SRCCOPY);
    }
    const BOOL result = keyColour ? TransBlt(dest, x, y, dw, dh, scratch, 0, 0, *keyColour)
                                  : BitBlt(dest, x, y, dw, dh, scratch, 0, 0, SRCCOPY);
    return result;
}

int DrawTextRect(HDC dc, const std::wstring& text, int count, int x, int y, int width, int height,
                 UINT format) {
    RECT r{};
    SetRect(&r, x, y, x + width, y + height);
    return DrawTextW(dc, text.c_str(), count, &r, format);
}

} // namespace mdlTabAPI

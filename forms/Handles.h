#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

// Owners for the kernel, GDI and window-manager handles the program makes.
namespace forms {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct KernelHandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct GlobalMemoryDeleter {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

template <class H, class Deleter>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<H>, Deleter>;

using GdiBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;

// A 32-bit DIB's header, rows top to bottom.
inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
using GdiBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using GdiFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using GdiRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using MemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryDeleter>;
using IconHandle = UniqueHandle<HICON, IconDeleter>;
using Library = UniqueHandle<HMODULE, LibraryDeleter>;
using MenuHandle = UniqueHandle<HMENU, MenuDeleter>;

// CreateFile reports failure as INVALID_HANDLE_VALUE rather than null.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    HANDLE get() const { return handle_.get(); }
    explicit operator bool() const { return static_cast<bool>(handle_); }
    void reset() { handle_.reset(); }

private:
    UniqueHandle<HANDLE, KernelHandleDeleter> handle_;
};

// A window's or the screen's device context, given back when done.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back at the end.
class SelectedObject {
public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { Restore(); }
    SelectedObject(SelectedObject&& other) noexcept { *this = std::move(other); }
    SelectedObject& operator=(SelectedObject&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = other.dc_;
            previous_ = other.previous_;
            other.dc_ = nullptr;
        }
        return *this;
    }
    void Restore() {
        if (dc_ != nullptr) {
            SelectObject(dc_, previous_);
            dc_ = nullptr;
        }
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// A memory DC with a bitmap of its own selected into it. At the end the
// DC's first bitmap goes back in, then the bitmap goes, then the DC.
class BitmapDc {
public:
    BitmapDc() = default;
    BitmapDc(MemoryDc dc, GdiBitmap bitmap)
        : dc_(std::move(dc)), bitmap_(std::move(bitmap)), selection_(dc_.get(), bitmap_.get()) {}
    BitmapDc(BitmapDc&&) noexcept = default;
    BitmapDc& operator=(BitmapDc&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::move(other.dc_);
            bitmap_ = std::move(other.bitmap_);
            selection_ = std::move(other.selection_);
        }
        return *this;
    }
    ~BitmapDc() { reset(); }

    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }
    void reset() {
        selection_.Restore();
        bitmap_.reset();
        dc_.reset();
    }

private:
    MemoryDc dc_;
    GdiBitmap bitmap_;
    SelectedObject selection_;
};

// BeginPaint's DC, given back with EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& Damaged() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace forms

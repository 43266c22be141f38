#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace forms {

// The hover text of one window, shown by the system's tooltip control.
class ToolTip {
public:
    ToolTip() = default;
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    void Attach(HWND window);
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);

private:
    TOOLINFOW Info();

    HWND tip_ = nullptr;
    HWND window_ = nullptr;
    std::wstring text_;
};

} // namespace forms

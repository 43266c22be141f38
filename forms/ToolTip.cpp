#include "forms/ToolTip.h"

namespace forms {

ToolTip::~ToolTip() {
    if (IsWindow(tip_)) {
        DestroyWindow(tip_);
    }
}

TOOLINFOW ToolTip::Info() {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = text_.data();
    return info;
}

void ToolTip::Attach(HWND window) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    window_ = window;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                           0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW info = Info();
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::SetText(const std::wstring& text) {
    text_ = text;
    if (tip_ != nullptr) {
        TOOLINFOW info = Info();
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

} // namespace forms

#include "mainwindow/CLumNotifyIcon.h"

#include <cwchar>

namespace {

constexpr UINT kIconId = 1000;

// Text fields are fixed arrays: the text is cut to fit, always terminated.
template <std::size_t N> void CopyField(wchar_t (&field)[N], const std::wstring& text) {
    const std::size_t length = text.size() < N ? text.size() : N - 1;
    std::wmemcpy(field, text.data(), length);
    field[length] = L'\0';
}

} // namespace

CLumNotifyIcon::CLumNotifyIcon() {
    notifyData_.cbSize = NOTIFYICONDATAW_V2_SIZE;
}

CLumNotifyIcon::~CLumNotifyIcon() {
    DeleteNotifyIcon();
}

void CLumNotifyIcon::Fill(HWND hWnd, HICON hIcon, const std::wstring& strTip,
                          UINT callbackMessage) {
    notifyData_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    notifyData_.hWnd = hWnd;
    notifyData_.uID = kIconId;
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    notifyData_.uCallbackMessage = callbackMessage;
    notifyData_.hIcon = hIcon;
    CopyField(notifyData_.szTip, strTip);
    // A balloon is said once: adding the icon again does not repeat it.
    notifyData_.szInfoTitle[0] = L'\0';
    notifyData_.szInfo[0] = L'\0';
}

void CLumNotifyIcon::AddNotifyIcon(HWND hWnd, HICON hIcon, const std::wstring& strTip) {
    Fill(hWnd, hIcon, strTip, WM_NOTIFYICON);
    Send(NIM_ADD);
    added_ = added_ || lastResult_;
}

void CLumNotifyIcon::ModifyNotifyIcon(HWND hWnd, HICON hIcon, const std::wstring& strTip) {
    Fill(hWnd, hIcon, strTip, WM_MOUSEMOVE);
    Send(NIM_MODIFY);
}

void CLumNotifyIcon::ShowBubble(const std::wstring& strTitle, const std::wstring& strInfo,
                                DWORD eInfoFlags) {
    CopyField(notifyData_.szInfoTitle, strTitle);
    CopyField(notifyData_.szInfo, strInfo);
    notifyData_.dwInfoFlags = eInfoFlags;
    Send(NIM_MODIFY);
}

void CLumNotifyIcon::HideBubble() {
    notifyData_.szInfoTitle[0] = L'\0';
    notifyData_.szInfo[0] = L'\0';
    Send(NIM_MODIFY);
}

void CLumNotifyIcon::DeleteNotifyIcon() {
    if (added_) {
        Send(NIM_DELETE);
        added_ = false;
    }
}

void CLumNotifyIcon::Send(DWORD message) {
    lastResult_ = Shell_NotifyIconW(message, &notifyData_) != FALSE;
}

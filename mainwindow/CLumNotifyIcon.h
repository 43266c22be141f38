#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

// One icon in the taskbar's notification area; it goes when the object ends.
// The record is the wide one, so the tip reads right on any system locale.
class CLumNotifyIcon {
public:
    static constexpr UINT WM_NOTIFYICON = 6242;

    CLumNotifyIcon();
    ~CLumNotifyIcon();
    CLumNotifyIcon(const CLumNotifyIcon&) = delete;
    CLumNotifyIcon& operator=(const CLumNotifyIcon&) = delete;

    void AddNotifyIcon(HWND hWnd, HICON hIcon, const std::wstring& strTip);
    void ModifyNotifyIcon(HWND hWnd, HICON hIcon, const std::wstring& strTip);
    void ShowBubble(const std::wstring& strTitle, const std::wstring& strInfo, DWORD eInfoFlags);
    void HideBubble();
    void DeleteNotifyIcon();

    const NOTIFYICONDATAW& NotifyData() const { return notifyData_; }
    // Whether the shell took the last call.
    bool LastCallSucceeded() const { return lastResult_; }

private:
    void Fill(HWND hWnd, HICON hIcon, const std::wstring& strTip, UINT callbackMessage);
    void Send(DWORD message);

    NOTIFYICONDATAW notifyData_{};
    bool added_ = false;
    bool lastResult_ = false;
};

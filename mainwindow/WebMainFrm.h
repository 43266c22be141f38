#pragma once

#include "controls/BForm.h"
#include "controls/cSetStyle.h"
#include "controls/iButton.h"
#include "forms/Handles.h"
#include "forms/PictureBox.h"
#include "forms/SingleForm.h"
#include "forms/ToolTip.h"
#include "forms/core/Connection.h"
#include "mainwindow/CLumNotifyIcon.h"
#include "mainwindow/DdeSource.h"
#include "tabs/uTab.h"
#include "update/CLumDownLoadFile.h"

#include <memory>
#include <optional>
#include <string>

// The main game window: a skinned, borderless window whose body is a strip
// of tabbed web pages, the game first. Also a DDE source: an execute
// command that is a web address opens a tab.
class WebMainFrm : public forms::SingleForm<WebMainFrm> {
public:
    static constexpr const wchar_t* kDdeTopic = L"TavrinDDE";
    // "清除缓存" when some of the cache could not go (in use, say).
    static constexpr const wchar_t* kCacheNotCleared =
        L"部分缓存正在使用，未能全部清理，请稍后再试！";
    // The tray's balloon when another program holds F10.
    static constexpr const wchar_t* kHotKeyTaken =
        L"F10 已被其他程序占用，隐藏窗口请使用托盘菜单。";
    enum MenuItem : UINT { refresh = 1, hiderestore, clearcache, line, update, version, exit };

    WebMainFrm();
    ~WebMainFrm() override;

    // Opens the address as a tab page, or brings its open tab to the front;
    // with every tab taken a new address is refused.
    void SetURL(const std::wstring& strURL);
    // True: a close request proceeds without asking.
    bool m_bExit = false;

    // The program menu at the pointer; the chosen item runs.
    void PopupAppMenu();
    void RunMenuCommand(UINT item);
    HMENU appmenu() const { return appmenu_.get(); }
    const CLumNotifyIcon* TrayIcon() const { return trayIcon_.get(); }
    const DdeSource* Dde() const { return dde_.get(); }
    const forms::ToolTip& StripToolTip() const { return toolTip_; }

    BForm WebBForm;
    uTab WebuTab;
    iButton web_tool, web_min, web_minmax, web_close;
    iButton OtherUserBtn, GameSpaceBtn;
    // Picture1 covers the page area until the first tab opens; pCnt hosts the
    // tab pages.
    std::unique_ptr<forms::PictureBox> Picture1, pCnt, PicLogo;

protected:
    void OnLoad() override;
    void OnResize() override;
    void OnQueryUnload(bool& cancel) override;
    void OnUnload() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Set-up and layout
    void CreateControls();
    void StackControls();
    void CreateAppMenu(bool hotKey);
    void PlaceControls();
    bool OpenUrlTab(const std::wstring& url);
    bool HasTabFor(const std::wstring& url);
    void AddTrayIcon();
    bool DdeExecute(const std::wstring& command);

    // Commands and events
    void ConnectEvents();
    void PostCloseRequest();
    void web_minmax_Click();
    void refresh_Click();
    void clearcache_Click();
    void update_Click();
    void WebuTab_OnMouseDown(long itemIndex);
    void WebuTab_OnMouseHover(long itemIndex);
    void WebuTab_OnItemColose(bool& cancel);

    forms::IconHandle smallIcon_;
    forms::IconHandle bigIcon_;
    std::unique_ptr<CLumNotifyIcon> trayIcon_;
    std::unique_ptr<cSetStyle> frameStyle_;
    std::optional<CLumDownLoadFile> downloader_;
    std::unique_ptr<DdeSource> dde_;
    forms::ToolTip toolTip_;
    forms::MenuHandle appmenu_;
    // Last: disconnected before any member they reach goes.
    forms::Connections connections_;
};

#pragma once

#include "browser/IBrowser.h"
#include "forms/ComPtr.h"
#include "forms/WindowBase.h"
#include "forms/core/Lifetime.h"

#include <windows.h>

#include <exdisp.h>
#include <mshtml.h>

#include <deque>
#include <memory>
#include <string>

namespace browser {

class BrowserEvents;
class BrowserSite;

// The platform's WebBrowser control, hosted in a child window of ours.
class IeBrowser final : public IBrowser, private forms::WindowBase {
public:
    explicit IeBrowser(HWND container);
    // The control, after the process's URL security is locked down (once,
    // before the first control: the settings are the process's).
    static std::unique_ptr<IBrowser> Create(HWND container);
    ~IeBrowser() override;

    // False when the platform gave no control: every navigation then fails.
    bool Hosted() const { return static_cast<bool>(browser_); }
    // Whether the event sink is connected to the control.
    bool Connected() const { return cookie_ != 0; }

    void Navigate(const std::wstring& url) override;
    void Refresh() override;
    void SetSilent(bool silent) override;
    void Move(int left, int top, int width, int height) override;
    HWND Window() const override { return hWnd(); }

    std::size_t RootInnerHtmlLength() const override;
    std::wstring DocumentUrl() const override;
    void SetRootOverflow(const std::wstring& value) override;
    void SetContextMenuAnswer(bool allow) override;
    void OfferNewWindow(const std::wstring& url, bool userAsked) override;

    // SetRootOverflow's value again, on the document a reload brought.
    void ApplyKeptStyle();

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefaultProcedure(message, wParam, lParam);
    }
    void CreateControl();
    void Connect();
    void TearDown();
    forms::ComPtr<IHTMLDocument2> Document() const;
    forms::ComPtr<IHTMLElement> RootElement() const;

    forms::ComPtr<BrowserSite> site_;
    forms::ComPtr<IOleObject> object_;
    forms::ComPtr<IWebBrowser2> browser_;
    forms::ComPtr<IOleInPlaceActiveObject> active_; // what takes the keys first
    HWND keysHost_ = nullptr; // kept: the window may be gone before the engine
    forms::ComPtr<BrowserEvents> events_;
    forms::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    std::wstring overflow_;           // kept for reloads; empty: never set
    std::deque<std::wstring> failed_; // navigations without a control, reported later
    forms::Lifetime alive_;
};

} // namespace browser

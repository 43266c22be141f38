#pragma once

#include "browser/IBrowser.h"

#include <string>
#include <vector>

// An engine the test drives by hand: it records what the window asked and
// raises the events the test chooses, each through the callback boundary as
// a real engine's. Each instance is listed while alive.
class ScriptedBrowser : public browser::IBrowser {
public:
    explicit ScriptedBrowser(HWND container);
    ~ScriptedBrowser() override;

    // Makes browser::CreateBrowser hand out scripted browsers; Uninstall
    // puts the build's engine back.
    static void Install();
    static void Uninstall();
    static const std::vector<ScriptedBrowser*>& Alive();
    // The scripted browser whose window is a descendant of the given window.
    static ScriptedBrowser* Inside(HWND ancestor);

    void Navigate(const std::wstring& url) override { navigated.push_back(url); }
    void Refresh() override { ++refreshes; }
    void SetSilent(bool value) override { silent = value; }
    void Move(int left, int top, int width, int height) override;
    HWND Window() const override { return window_; }
    std::size_t RootInnerHtmlLength() const override { return html.size(); }
    std::wstring DocumentUrl() const override { return url; }
    void SetRootOverflow(const std::wstring& value) override { overflow = value; }
    void SetContextMenuAnswer(bool allow) override { contextMenu = allow; }
    void OfferNewWindow(const std::wstring& target, bool userAsked) override {
        offered.push_back((userAsked ? L"user " : L"page ") + target);
    }

    // The page "loads": html and url become the document, then the events
    // DownloadBegin, TitleChange and DocumentComplete follow.
    void Load(const std::wstring& pageUrl, const std::wstring& pageHtml, const std::wstring& title);
    // Raises NavigateError, as an engine does when a navigation fails.
    void Fail(const std::wstring& target, bool topLevel,
              browser::NavigationFailure failure = browser::NavigationFailure::NoPage);
    // Raises BeforeNavigate2 with these documents on the page (by default
    // the one shown) and answers Cancel.
    bool RequestNavigation(const std::wstring& target, bool topLevel = true);
    bool RequestNavigation(const std::wstring& target, bool topLevel,
                           std::vector<std::wstring> documents, bool userAsked = false);
    // Raises NewWindow and answers Processed.
    bool RequestNewWindow(const std::wstring& target);

    std::vector<std::wstring> navigated;
    std::vector<std::wstring> offered; // "user <url>" or "page <url>"
    int refreshes = 0;
    bool silent = false;
    bool contextMenu = true;
    std::wstring html;
    std::wstring url;
    std::wstring overflow;

private:
    HWND window_ = nullptr;
};

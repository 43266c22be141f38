#include "tests/win32/ScriptedBrowser.h"

#include "forms/CallbackBoundary.h"
#include "forms/Host.h"

#include <algorithm>

namespace {
std::vector<ScriptedBrowser*> alive;

// Real engines raise their events from the system, through the boundary.
template <class Body> void FromTheSystem(Body&& body) {
    forms::Guarded(L"ScriptedBrowser", std::forward<Body>(body), [] {});
}
} // namespace

ScriptedBrowser::ScriptedBrowser(HWND container)
    : window_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, container,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {
    alive.push_back(this);
}

ScriptedBrowser::~ScriptedBrowser() {
    alive.erase(std::remove(alive.begin(), alive.end(), this), alive.end());
    DestroyWindow(window_);
}

namespace {
const browser::BrowserFactory scripted = [](HWND container) {
    return std::unique_ptr<browser::IBrowser>(std::make_unique<ScriptedBrowser>(container));
};
} // namespace

void ScriptedBrowser::Install() {
    forms::Host::Current().Put(&scripted);
}

void ScriptedBrowser::Uninstall() {
    forms::Host::Current().Put<const browser::BrowserFactory>(nullptr);
}

const std::vector<ScriptedBrowser*>& ScriptedBrowser::Alive() {
    return alive;
}

ScriptedBrowser* ScriptedBrowser::Inside(HWND ancestor) {
    for (ScriptedBrowser* browser : alive) {
        if (browser->window_ != nullptr && IsChild(ancestor, browser->window_)) {
            return browser;
        }
    }
    return nullptr;
}

void ScriptedBrowser::Move(int left, int top, int width, int height) {
    MoveWindow(window_, left, top, width, height, TRUE);
}

void ScriptedBrowser::Load(const std::wstring& pageUrl, const std::wstring& pageHtml,
                           const std::wstring& title) {
    url = pageUrl;
    html = pageHtml;
    FromTheSystem([&] { DownloadBegin(); });
    FromTheSystem([&] { TitleChange(title); });
    FromTheSystem([&] { DocumentComplete(pageUrl); });
}

void ScriptedBrowser::Fail(const std::wstring& target, bool topLevel,
                           browser::NavigationFailure failure) {
    FromTheSystem([&] { NavigateError(target, topLevel, failure); });
}

bool ScriptedBrowser::RequestNavigation(const std::wstring& target, bool topLevel) {
    return RequestNavigation(target, topLevel, {url});
}

bool ScriptedBrowser::RequestNavigation(const std::wstring& target, bool topLevel,
                                        std::vector<std::wstring> documents, bool userAsked) {
    bool cancel = false;
    FromTheSystem([&] {
        BeforeNavigate2(browser::Navigation{target, topLevel, std::move(documents), userAsked},
                        cancel);
    });
    return cancel;
}

bool ScriptedBrowser::RequestNewWindow(const std::wstring& target) {
    bool processed = false;
    FromTheSystem([&] { NewWindow(target, processed); });
    return processed;
}

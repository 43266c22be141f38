#include "browser/BrowserEngine.h"
#include "browser/IBrowser.h"
#include "forms/Host.h"

#include <utility>

namespace browser {

namespace {

std::wstring& Profile() {
    static std::wstring name = L"Tavrin";
    return name;
}

} // namespace

void SetEngineProfile(const std::wstring& name) {
    if (!name.empty()) {
        Profile() = name;
    }
}

const std::wstring& EngineProfile() {
    return Profile();
}

std::unique_ptr<IBrowser> CreateBrowser(HWND container) {
    if (const BrowserFactory* factory = forms::Host::Current().Find<const BrowserFactory>()) {
        return (*factory)(container);
    }
    return CreateEngine(container);
}

} // namespace browser

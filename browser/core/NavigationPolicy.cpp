#include "browser/core/NavigationPolicy.h"

#include "forms/core/Text.h"

#include <utility>

namespace browser {

namespace {

bool IsBlank(const std::wstring& address) {
    return address.empty() || forms::EqualsNoCase(address, L"about:blank");
}

// Past the limits, the last entry is "": the rest cannot be vetted.
class Lister {
public:
    std::vector<std::wstring> documents;

    void List(const DocumentNode& node, const std::wstring& parent, int depth) {
        std::wstring address = node.Address();
        if (!Add(IsBlank(address) ? parent : std::move(address))) {
            return;
        }
        const std::wstring own = documents.back();
        const std::size_t frames = node.FrameCount();
        if (frames > 0 && depth >= kMaxFrameDepth) {
            Add(L"");
            return;
        }
        for (std::size_t i = 0; i < frames && !full_; ++i) {
            if (const auto frame = node.Frame(i)) {
                List(*frame, own, depth + 1);
            } else {
                Add(L"");
            }
        }
    }

private:
    bool Add(std::wstring address) {
        if (full_) {
            return false;
        }
        if (documents.size() == kMaxListedDocuments) {
            full_ = true;
            documents.back().clear();
            return false;
        }
        documents.push_back(std::move(address));
        return true;
    }

    bool full_ = false;
};

} // namespace

NavigationRoute RouteNavigation(const std::wstring& url) {
    if (forms::HasControlCharacters(url)) {
        return NavigationRoute::Refuse;
    }
    if (forms::StartsWithNoCase(url, L"app:")) {
        return NavigationRoute::ToOwner;
    }
    const bool allowed =
        forms::StartsWithNoCase(url, L"http://") || forms::StartsWithNoCase(url, L"https://") ||
        forms::EqualsNoCase(url, L"about:blank") || forms::StartsWithNoCase(url, L"javascript:");
    return allowed ? NavigationRoute::Allow : NavigationRoute::Refuse;
}

std::vector<std::wstring> ListDocuments(const DocumentNode& top) {
    Lister lister;
    lister.List(top, L"", 0);
    return std::move(lister.documents);
}

bool PassNavigation(const forms::Event<Navigation, bool&>& beforeNavigate, Navigation navigation,
                    bool cancel, const DocumentNode& top) {
    switch (RouteNavigation(navigation.url)) {
    case NavigationRoute::Refuse:
        return true;
    case NavigationRoute::ToOwner:
        navigation.documents = ListDocuments(top);
        cancel = true;
        beforeNavigate(navigation, cancel);
        return true;
    case NavigationRoute::Allow:
        break;
    }
    beforeNavigate(navigation, cancel);
    return cancel;
}

} // namespace browser

#pragma once

#include "browser/core/Navigation.h"
#include "forms/core/Event.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace browser {

// What every engine does with a navigation request before any window hears
// of it, top document and frames alike. Allow: http:, https:, about:blank
// and javascript:. ToOwner: an "app:" address, always cancelled, which the
// owner may read as a page command. Refuse: everything else (other
// programs' schemes, file: and share paths, mk:, res:, vbscript:, ...).
enum class NavigationRoute { Allow, ToOwner, Refuse };

NavigationRoute RouteNavigation(const std::wstring& url);

// One document of a browser, as an engine reads it.
class DocumentNode {
public:
    virtual ~DocumentNode() = default;
    // "" when the document has none or it cannot be read.
    virtual std::wstring Address() const = 0;
    virtual std::size_t FrameCount() const = 0;
    // Null when the frame's document cannot be reached.
    virtual std::unique_ptr<DocumentNode> Frame(std::size_t index) const = 0;
};

// A page of more frames than this, or nested deeper, is listed with a ""
// for the rest: it cannot be vetted, so it commands nothing.
inline constexpr std::size_t kMaxListedDocuments = 64;
inline constexpr int kMaxFrameDepth = 8;

// The addresses of top and every frame, as Navigation::documents holds them.
std::vector<std::wstring> ListDocuments(const DocumentNode& top);

// Raises beforeNavigate as RouteNavigation says, the documents of top
// listed for an "app:" address; cancel: the engine's own answer so far.
// Returns whether the navigation is cancelled. Nothing of the engine is
// touched after raising: a handler may have released it.
bool PassNavigation(const forms::Event<Navigation, bool&>& beforeNavigate, Navigation navigation,
                    bool cancel, const DocumentNode& top);

} // namespace browser

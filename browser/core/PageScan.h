#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace browser {

struct PageLink {
    std::wstring text; // what the link shows, tags dropped, blanks collapsed
    std::wstring href; // as written, entities decoded
    std::wstring target;
};

// What the preview engine shows of a page: no more than its title, its
// links and its frames.
struct PageScan {
    std::wstring title;
    std::vector<PageLink> links;
    std::vector<std::wstring> frames; // each frame's src, entities decoded
    // Characters inside the root <html> element (the whole text without one).
    std::size_t rootInnerHtmlLength = 0;
};

PageScan ScanPage(const std::wstring& html);

// Character references (&amp; &lt; &#20013; &#x4E2D; ...); unknown ones stay.
std::wstring DecodeEntities(const std::wstring& text);

} // namespace browser

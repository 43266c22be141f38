#pragma once

#include <functional>
#include <string>

namespace browser {

struct FetchedPage {
    bool ok = false;
    // The server answered, with a page even when !ok (an error status).
    bool answered = false;
    std::wstring url;  // where the page came from, after redirections
    std::wstring text; // the body, decoded (UTF-8, else the system code page)
};

// Fetches an http: or https: page on the calling thread; "about:" pages are
// empty. Any other address, status or transfer failure is !ok.
FetchedPage FetchPage(const std::wstring& url);

// Fetches on a worker thread, so that the windows keep answering; `done`
// runs from the message loop (forms::Application::Post) with the result.
void FetchPageLater(const std::wstring& url, std::function<void(FetchedPage)> done);

} // namespace browser

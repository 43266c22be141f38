// The preview engine's reading of a fetched page and of the addresses on it:
// page text, then a newline, then a reference resolved against the first line.
#include "browser/core/PageScan.h"
#include "browser/core/PageUrl.h"
#include "tests/fuzz/FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::wstring page = fuzz::WideText(bytes);
    const browser::PageScan scan = browser::ScanPage(page);
    fuzz::Require(scan.rootInnerHtmlLength <= page.size());
    fuzz::Require(browser::DecodeEntities(page).size() <= page.size());
    const auto [base, reference] = fuzz::TwoTexts(bytes);
    browser::ResolveUrl(base, reference);
    for (const browser::PageLink& link : scan.links) {
        browser::ResolveUrl(base, link.href);
    }
    return 0;
}

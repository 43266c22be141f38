#include "browser/preview/PageFetch.h"

#include "forms/Application.h"
#include "forms/Internet.h"
#include "forms/InternetTransfer.h"
#include "forms/OwnedThread.h"
#include "forms/core/Text.h"

#include <memory>
#include <string>

namespace browser {

namespace {

constexpr DWORD kBlock = 16384;
constexpr std::size_t kMostBytes = 8 * 1024 * 1024; // enough for any page of links

bool Succeeded(HINTERNET request) {
    const DWORD status = forms::QueryNumber(request, HTTP_QUERY_STATUS_CODE);
    return status >= 200 && status < 300;
}

// Past the bound the page ends with what came before it.
bool ReadAll(HINTERNET request, std::string& bytes) {
    forms::InternetTransfer transfer(false, 0);
    const auto end = transfer.Run<kBlock>(
        request, [] { return false; },
        [&bytes](const char* data, DWORD size) {
            if (bytes.size() + size > kMostBytes) {
                return false;
            }
            bytes.append(data, size);
            return true;
        },
        [](DWORD) {});
    return end != forms::InternetTransfer::End::ReadFailed;
}

std::wstring FinalUrl(HINTERNET request, const std::wstring& asked) {
    DWORD size = 0;
    InternetQueryOptionW(request, INTERNET_OPTION_URL, nullptr, &size);
    std::wstring url(size / sizeof(wchar_t) + 1, L'\0');
    if (size == 0 ||
        InternetQueryOptionW(request, INTERNET_OPTION_URL, url.data(), &size) == FALSE) {
        return asked;
    }
    url.resize(wcslen(url.c_str()));
    return url;
}

std::wstring Decode(std::string bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        bytes.erase(0, 3);
    }
    if (bytes.empty()) {
        return L"";
    }
    UINT codePage = CP_UTF8;
    DWORD flags = MB_ERR_INVALID_CHARS;
    int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                                     nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        flags = 0;
        length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                                     nullptr, 0);
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

// The worker thread's job, which it owns.
struct FetchJob {
    static constexpr const wchar_t* kWhere = L"PageFetch";
    std::wstring url;
    std::function<void(FetchedPage)> done;

    void operator()() {
        auto page = std::make_shared<FetchedPage>(FetchPage(url));
        forms::Application::Post([page, done = std::move(done)] { done(std::move(*page)); });
    }
};

} // namespace

FetchedPage FetchPage(const std::wstring& url) {
    if (forms::StartsWithNoCase(url, L"about:")) {
        return {true, true, url, L""};
    }
    if (!forms::StartsWithNoCase(url, L"http://") && !forms::StartsWithNoCase(url, L"https://")) {
        return {};
    }
    forms::InternetHandle internet(
        InternetOpenW(L"Tavrin", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) {
        return {};
    }
    forms::InternetHandle request(InternetOpenUrlW(
        internet.get(), url.c_str(), nullptr, 0,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0));
    std::string bytes;
    if (!request || !ReadAll(request.get(), bytes)) {
        return {};
    }
    return {Succeeded(request.get()), true, FinalUrl(request.get(), url), Decode(std::move(bytes))};
}

void FetchPageLater(const std::wstring& url, std::function<void(FetchedPage)> done) {
    auto job = std::make_unique<FetchJob>(FetchJob{url, std::move(done)});
    if (forms::StartOwnedThread(job)) {
        return;
    }
    forms::Application::Post([done = std::move(job->done)] { done(FetchedPage{}); });
}

} // namespace browser

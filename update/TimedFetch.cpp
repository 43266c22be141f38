#include "update/TimedFetch.h"

#include "forms/Application.h"
#include "forms/CallbackBoundary.h"
#include "forms/Handles.h"
#include "forms/Internet.h"
#include "forms/InternetTransfer.h"
#include "update/core/StallWatch.h"

#include <atomic>
#include <memory>

namespace {

constexpr DWORD kBlockSize = 8192;
constexpr DWORD kPollInterval = 50;

struct Shared {
    std::wstring url;
    std::wstring partial;
    bool hidden = false;
    DWORD maxBytes = 0;
    std::atomic<DWORD> total{0};
    std::atomic<DWORD> received{0};
    std::atomic<bool> abandoned{false};
    SRWLOCK lock = SRWLOCK_INIT;
    bool done = false;
    bool ok = false;
    forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> finished{
        CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

// The shared state's lock, held for a scope.
class Hold {
public:
    explicit Hold(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Hold() { ReleaseSRWLockExclusive(&lock_); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    SRWLOCK& lock_;
};

bool Transfer(HINTERNET request, HANDLE file, Shared& shared) {
    forms::InternetTransfer transfer(true, shared.total);
    const auto end = transfer.Run<kBlockSize>(
        request, [&shared] { return shared.abandoned.load(); },
        [file](const char* data, DWORD size) {
            return forms::InternetTransfer::WriteAll(file, data, size);
        },
        [&shared](DWORD received) { shared.received = received; });
    // A failed read ends the body as its end does: the count decides.
    return end != forms::InternetTransfer::End::Refused && !shared.abandoned &&
           transfer.Received() == shared.total && FlushFileBuffers(file) != FALSE;
}

// Made under the lock and deletable while open: a reader that gives up can
// remove it at once, even while this thread still waits on a slow server.
forms::FileHandle CreatePartial(Shared& shared) {
    const Hold hold(shared.lock);
    return forms::FileHandle(
        shared.abandoned
            ? INVALID_HANDLE_VALUE
            : CreateFileW(shared.partial.c_str(), GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                          shared.hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Fetch(Shared& shared) {
    forms::InternetHandle internet(
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    forms::InternetHandle request(internet ? InternetOpenUrlW(internet.get(), shared.url.c_str(),
                                                              nullptr, 0, INTERNET_FLAG_RELOAD, 0)
                                           : nullptr);
    if (!request || forms::QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE) != 200) {
        return false;
    }
    const DWORD total = forms::QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH);
    if (total == 0 || (shared.maxBytes != 0 && total > shared.maxBytes) || shared.abandoned) {
        return false;
    }
    shared.total = total;
    const forms::FileHandle file = CreatePartial(shared);
    return file && Transfer(request.get(), file.get(), shared);
}

// The worker owns its share of the state; whoever comes last removes an
// unwanted partial file. Nothing may leave a thread's entry.
void Work(const std::shared_ptr<Shared>& shared) noexcept {
    bool ok = false;
    try {
        ok = Fetch(*shared);
    } catch (const std::exception& e) {
        forms::ReportCallbackFailure(L"TimedFetch", e.what());
    } catch (...) {
        forms::ReportCallbackFailure(L"TimedFetch", nullptr);
    }
    const Hold hold(shared->lock);
    shared->done = true;
    shared->ok = ok;
    if (!ok || shared->abandoned) {
        DeleteFileW(shared->partial.c_str());
    }
    SetEvent(shared->finished.get());
}

// The worker thread's entry; it takes over its share of the state.
DWORD WINAPI WorkEntry(void* share) {
    return static_cast<DWORD>(forms::GuardedEntry(L"TimedFetch", [share] {
        const std::unique_ptr<std::shared_ptr<Shared>> mine(
            static_cast<std::shared_ptr<Shared>*>(share));
        Work(*mine);
        return 0;
    }));
}

} // namespace

bool TimedFetch::Run(const std::wstring& url, const std::wstring& partial, bool hidden,
                     DWORD maxBytes, ULONGLONG deadline, Pace pace,
                     const std::function<bool()>& stop,
                     const std::function<void(const Progress&)>& onProgress) {
    auto shared = std::make_shared<Shared>();
    shared->url = url;
    shared->partial = partial;
    shared->hidden = hidden;
    shared->maxBytes = maxBytes;
    auto* share = new std::shared_ptr<Shared>(shared);
    const forms::UniqueHandle<HANDLE, forms::KernelHandleDeleter> worker(
        CreateThread(nullptr, 0, &WorkEntry, share, 0, nullptr));
    if (!worker) {
        delete share;
        return false;
    }
    Progress shown;
    StallWatch watch(pace.window, pace.minBytes, GetTickCount64());
    for (;;) {
        const HANDLE finished = shared->finished.get();
        MsgWaitForMultipleObjects(1, &finished, FALSE, kPollInterval, QS_ALLINPUT);
        forms::Application::DoEvents();
        const Progress now{shared->total, shared->received};
        if (now.total != shown.total || now.received != shown.received) {
            shown = now;
            onProgress(now);
        }
        const ULONGLONG tick = GetTickCount64();
        const bool giveUp = tick >= deadline || watch.Stalled(tick, shared->received) || stop();
        const Hold hold(shared->lock);
        if (shared->done) {
            return shared->ok;
        }
        if (giveUp) {
            shared->abandoned = true;
            DeleteFileW(shared->partial.c_str());
            return false;
        }
    }
}

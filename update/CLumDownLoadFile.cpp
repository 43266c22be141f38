#include "update/CLumDownLoadFile.h"

#include "forms/Application.h"
#include "forms/Handles.h"
#include "forms/Internet.h"
#include "forms/InternetTransfer.h"
#include "forms/core/IntegerText.h"

namespace {

constexpr DWORD kBlockSize = 8192;
// Window messages are let through after a block at most this often: a live
// window needs no more, and a fast transfer is not held up by the queue.
constexpr ULONGLONG kPassInterval = 10;

// DoEvents leaves a quit request queued for the message loop to see.
bool QuitRequested() {
    MSG msg{};
    return forms::Application::Ending() ||
           PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

} // namespace

bool CLumDownLoadFile::PutInPlace(const std::wstring& partial, const std::wstring& target) {
    if (MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE) {
        return true;
    }
    // A hidden or read-only earlier copy may refuse to be replaced.
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    return MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

void CLumDownLoadFile::SetLimits(DWORD milliseconds, DWORD bytes) {
    timeLimit_ = milliseconds;
    sizeLimit_ = bytes;
}

bool CLumDownLoadFile::ShouldStop() const {
    return StopFlag || quit_ || forms::Application::Ending();
}

void CLumDownLoadFile::PassMessages() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastPass_ < kPassInterval) {
        return;
    }
    lastPass_ = now;
    forms::Application::DoEvents();
    quit_ = QuitRequested();
}

bool CLumDownLoadFile::DownLoadFile(const std::wstring& strURLFile, const std::wstring& strSaveFile,
                                    bool bHidden, bool bRaiseEvent) {
    const forms::Lifetime::Watch alive = alive_.Watched();
    StopFlag = false;
    quit_ = QuitRequested();
    lastPass_ = 0;
    const bool result = timeLimit_ != 0 || pace_.window != 0
                            ? FetchWithin(strURLFile, strSaveFile, bHidden, bRaiseEvent, alive)
                            : Fetch(strURLFile, strSaveFile, bHidden, bRaiseEvent, alive);
    if (alive.Alive() && bRaiseEvent) {
        Complete();
    }
    return result;
}

bool CLumDownLoadFile::Fetch(const std::wstring& url, const std::wstring& saveFile, bool hidden,
                             bool raise, const forms::Lifetime::Watch& alive) {
    forms::InternetHandle internet(
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) {
        return false;
    }
    forms::InternetHandle request(
        InternetOpenUrlW(internet.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    if (!request || forms::QueryNumber(request.get(), HTTP_QUERY_STATUS_CODE) != 200) {
        return false;
    }
    const DWORD total = forms::QueryNumber(request.get(), HTTP_QUERY_CONTENT_LENGTH);
    if (total == 0 || (sizeLimit_ != 0 && total > sizeLimit_)) {
        return false;
    }
    if (raise) {
        QueryFileInfo(total);
    }
    return alive.Alive() && Transfer(request.get(), saveFile, hidden, raise, total, alive);
}

// Runs the transfer where a silent server cannot hold this thread past
// the time limit; the file is replaced only by a complete copy.
bool CLumDownLoadFile::FetchWithin(const std::wstring& url, const std::wstring& saveFile,
                                   bool hidden, bool raise, const forms::Lifetime::Watch& alive) {
    const std::wstring partial =
        saveFile + L"." + forms::IntegerText(GetTickCount64()) + L".download";
    infoRaised_ = false;
    const bool fetched = TimedFetch::Run(
        url, partial, hidden, sizeLimit_, timeLimit_ != 0 ? GetTickCount64() + timeLimit_ : ~0ULL,
        pace_, [this, &alive] { return !alive.Alive() || StopFlag || QuitRequested(); },
        [this, raise, &alive](const TimedFetch::Progress& progress) {
            if (!raise || !alive.Alive() || progress.total == 0) {
                return;
            }
            if (!infoRaised_) {
                infoRaised_ = true;
                QueryFileInfo(progress.total);
            }
            if (alive.Alive() && progress.received != 0) {
                Loading(progress.received);
            }
        });
    if (!fetched || !alive.Alive() || !PutInPlace(partial, saveFile)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

bool CLumDownLoadFile::Transfer(void* request, const std::wstring& saveFile, bool hidden,
                                bool raise, DWORD total, const forms::Lifetime::Watch& alive) {
    const std::wstring partial = saveFile + L".download";
    bool complete = false;
    {
        forms::FileHandle file(
            CreateFileW(partial.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return false;
        }
        forms::InternetTransfer transfer(false, total);
        const auto end = transfer.Run<kBlockSize>(
            request, [this, &alive] { return !alive.Alive() || ShouldStop(); },
            [&file](const char* data, DWORD size) {
                return forms::InternetTransfer::WriteAll(file.get(), data, size);
            },
            // A handler may destroy this downloader.
            [this, raise, &alive](DWORD received) {
                if (raise) {
                    Loading(received);
                }
                if (alive.Alive()) {
                    PassMessages();
                }
            });
        const bool finished = end == forms::InternetTransfer::End::Finished;
        complete = finished && alive.Alive() && !ShouldStop() && transfer.Received() == total &&
                   FlushFileBuffers(file.get()) != FALSE;
    }
    if (!complete || !PutInPlace(partial, saveFile)) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

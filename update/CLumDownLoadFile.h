#pragma once

#include "forms/core/Event.h"
#include "forms/core/Lifetime.h"
#include "update/TimedFetch.h"

#include <windows.h>

#include <memory>
#include <string>

// Fetches one URL over HTTP or HTTPS into a local file, block by block, on
// the calling thread; pending window messages are delivered between blocks
// (at most every 10 ms). With a time or a stall limit the transfer runs on
// a worker thread instead, and the calling thread keeps the window alive.
// The file is replaced only by a complete copy, flushed to the disk first.
// A quit request ends the transfer.
class CLumDownLoadFile {
public:
    CLumDownLoadFile() = default;
    ~CLumDownLoadFile() { alive_.End(); }
    CLumDownLoadFile(const CLumDownLoadFile&) = delete;
    CLumDownLoadFile& operator=(const CLumDownLoadFile&) = delete;

    // True only when every announced byte arrived and the file was put in
    // place; otherwise any earlier file at strSaveFile is left as it was.
    bool DownLoadFile(const std::wstring& strURLFile, const std::wstring& strSaveFile, bool bHidden,
                      bool bRaiseEvent);
    // Moves a finished file over `target`, a hidden or read-only one too.
    static bool PutInPlace(const std::wstring& partial, const std::wstring& target);
    // The running transfer stops before its next block.
    void StopDownLoad() { StopFlag = true; }
    // Limits for later calls: the whole call gives up after `milliseconds`,
    // and an answer of more than `bytes` is refused. 0 means no limit.
    void SetLimits(DWORD milliseconds, DWORD bytes);
    // For later calls: a transfer that gains less than `bytes` in any
    // `milliseconds` fails. 0 milliseconds means no such limit.
    void SetStallLimit(DWORD milliseconds, DWORD bytes) { pace_ = {milliseconds, bytes}; }

    forms::Event<DWORD> QueryFileInfo; // dwFileTotalLen
    forms::Event<DWORD> Loading;       // dwRecivedLen
    forms::Event<> Complete;

private:
    bool Fetch(const std::wstring& url, const std::wstring& saveFile, bool hidden, bool raise,
               const forms::Lifetime::Watch& alive);
    bool Transfer(void* request, const std::wstring& saveFile, bool hidden, bool raise, DWORD total,
                  const forms::Lifetime::Watch& alive);

    bool FetchWithin(const std::wstring& url, const std::wstring& saveFile, bool hidden, bool raise,
                     const forms::Lifetime::Watch& alive);
    bool ShouldStop() const;
    void PassMessages();

    bool StopFlag = false;
    DWORD timeLimit_ = 0;
    DWORD sizeLimit_ = 0;
    TimedFetch::Pace pace_;
    bool infoRaised_ = false;
    bool quit_ = false;
    ULONGLONG lastPass_ = 0;
    // Handlers run inside a transfer may destroy this object.
    forms::Lifetime alive_;
};

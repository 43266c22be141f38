#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// One download that must end by a deadline whatever the server does. The
// system's own timeouts do not bound a server that accepts and then says
// nothing, so the blocking transfer runs on a worker thread while the
// calling thread keeps delivering window messages and watches the clock;
// past the deadline the worker is abandoned and cleans up after itself.
class TimedFetch {
public:
    struct Progress {
        DWORD total = 0;    // announced length, 0 until the answer came
        DWORD received = 0; // bytes written so far
    };

    // The least progress that keeps the transfer going: `minBytes` in any
    // `window` milliseconds (a window of 0: any progress).
    struct Pace {
        DWORD window = 0;
        DWORD minBytes = 0;
    };

    // Fetches `url` into `partial` (flushed), refusing answers longer than
    // `maxBytes` (0: any). `stop` is asked between waits; `onProgress`
    // runs on the calling thread when the counts change. True when the
    // whole announced body is in `partial` before the deadline, without
    // falling below the pace.
    static bool Run(const std::wstring& url, const std::wstring& partial, bool hidden,
                    DWORD maxBytes, ULONGLONG deadline, Pace pace,
                    const std::function<bool()>& stop,
                    const std::function<void(const Progress&)>& onProgress);
};

#pragma once

#include <string>

namespace forms {

// Every program or document that we start goes through one host, so that
// tests can record the launch instead of starting a real updater.
struct LaunchRequest {
    std::wstring verb; // "open" or "runas"
    std::wstring file;
    std::wstring parameters;
    // When set, the launch waits for the program to end, keeping this
    // thread's windows alive, and stores its exit code here.
    unsigned long* exitCode = nullptr;
    // When set, the system's error code of a launch that failed
    // (ERROR_CANCELLED: the user declined the elevation prompt).
    unsigned long* error = nullptr;
};

class LaunchHost {
public:
    virtual ~LaunchHost() = default;
    // True when the system accepted the request.
    virtual bool Launch(const LaunchRequest& request) = 0;
};

class ShellLaunch {
public:
    static bool Launch(const LaunchRequest& request) { return Host().Launch(request); }
    // The host's (forms::Host::launches), or the system's.
    static LaunchHost& Host();
};

} // namespace forms

#pragma once

#include "forms/CallbackBoundary.h"
#include "forms/Handles.h"

#include <windows.h>

#include <memory>

namespace forms {

template <class Job> DWORD WINAPI OwnedThreadEntry(void* job) noexcept {
    return static_cast<DWORD>(GuardedEntry(Job::kWhere, [job] {
        const std::unique_ptr<Job> mine(static_cast<Job*>(job));
        (*mine)();
        return 0;
    }));
}

// Runs `(*job)()` on a new thread, which takes the job over and destroys it
// when done; `Job::kWhere` names the thread in the error log. The thread's
// handle, or null when none started and the job is still the caller's.
template <class Job>
UniqueHandle<HANDLE, KernelHandleDeleter> StartOwnedThread(std::unique_ptr<Job>& job) noexcept {
    UniqueHandle<HANDLE, KernelHandleDeleter> thread(
        CreateThread(nullptr, 0, &OwnedThreadEntry<Job>, job.get(), 0, nullptr));
    if (thread) {
        job.release();
    }
    return thread;
}

} // namespace forms

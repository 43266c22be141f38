// The exception runtime of the posix-thread toolchain locks, runs once and
// keeps per-thread data through eight pthread calls, and the static
// winpthread library that has them brings its whole thread implementation
// (about 30 KB). The updater defines just these eight, found before the
// library's, on the system's own primitives. MinGW builds of the updater
// only; its own threads are plain system threads, and the runtime takes
// only plain (not recursive) locks.
#include <windows.h>

#include <pthread.h>

#include <cerrno>
#include <cstdlib>

namespace {

static_assert(sizeof(pthread_mutex_t) == sizeof(SRWLOCK), "a mutex word holds a slim lock");

SRWLOCK* Lock(pthread_mutex_t* mutex) {
    // The static initialiser (-1) becomes a free slim lock (0) on first use;
    // a lock in use never holds -1.
    InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(mutex), nullptr,
                                      reinterpret_cast<void*>(PTHREAD_MUTEX_INITIALIZER));
    // A recursive or checking lock cannot be a slim lock: stop rather than
    // take its initialiser for a lock word.
    if (*mutex == PTHREAD_RECURSIVE_MUTEX_INITIALIZER ||
        *mutex == PTHREAD_ERRORCHECK_MUTEX_INITIALIZER) {
        abort();
    }
    return reinterpret_cast<SRWLOCK*>(mutex);
}

// A key's destructor, called by the system at a thread's exit with the
// thread's value: one calling-convention bridge for each of a few keys.
constexpr int kKeys = 4;
void (*destructors[kKeys])(void*) = {};

template <int N> void NTAPI Destroy(void* value) {
    if (value != nullptr && destructors[N] != nullptr) {
        destructors[N](value);
    }
}

constexpr PFLS_CALLBACK_FUNCTION kBridges[kKeys] = {Destroy<0>, Destroy<1>, Destroy<2>, Destroy<3>};
LONG keysUsed = 0;

enum OnceState : LONG { kNotRun = PTHREAD_ONCE_INIT, kRunning, kDone };

} // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    InitializeSRWLock(reinterpret_cast<SRWLOCK*>(mutex));
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t*) {
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    AcquireSRWLockExclusive(Lock(mutex));
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    ReleaseSRWLockExclusive(reinterpret_cast<SRWLOCK*>(mutex));
    return 0;
}

int pthread_once(pthread_once_t* once, void (*function)(void)) {
    if (InterlockedCompareExchange(once, kRunning, kNotRun) == kNotRun) {
        function();
        InterlockedExchange(once, kDone);
        return 0;
    }
    while (InterlockedCompareExchange(once, kDone, kDone) != kDone) {
        SwitchToThread();
    }
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*)) {
    const LONG slot = InterlockedIncrement(&keysUsed) - 1;
    if (slot >= kKeys) {
        return EAGAIN;
    }
    destructors[slot] = destructor;
    const DWORD index = FlsAlloc(kBridges[slot]);
    if (index == FLS_OUT_OF_INDEXES) {
        return EAGAIN;
    }
    *key = index;
    return 0;
}

// Keeps the last error, as winpthread does: the runtime looks up thread
// data between a failed system call and the reading of its error.
void* pthread_getspecific(pthread_key_t key) {
    const DWORD error = GetLastError();
    void* value = FlsGetValue(key);
    SetLastError(error);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    return FlsSetValue(key, const_cast<void*>(value)) != FALSE ? 0 : ENOMEM;
}

} // extern "C"

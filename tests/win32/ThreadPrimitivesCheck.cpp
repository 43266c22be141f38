// The updater's stand-ins for the runtime's pthread calls, checked without
// GoogleTest (whose own locks would bring the thread library they replace):
// locks taken by several threads, a one-time call, per-thread values and
// their destructors at thread exit, and C++ exceptions, which take these
// locks in the 32-bit runtime. Exit code 0 when all hold.
#include <windows.h>

#include <pthread.h>

#include <cstdio>
#include <stdexcept>

namespace {

int failures = 0;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "failed: %s\n", what);
        ++failures;
    }
}

pthread_mutex_t counterLock = PTHREAD_MUTEX_INITIALIZER;
long counter = 0;
pthread_once_t once = PTHREAD_ONCE_INIT;
LONG onceRuns = 0;
pthread_key_t key;
LONG destroyed = 0;
int values[4];

void RunOnce() {
    Sleep(20); // others arrive while it runs
    InterlockedIncrement(&onceRuns);
}

void Destroy(void* value) {
    Check(value >= values && value < values + 4, "a destructor gets its thread's value");
    InterlockedIncrement(&destroyed);
}

DWORD WINAPI Worker(void* parameter) {
    const int index = static_cast<int>(reinterpret_cast<INT_PTR>(parameter));
    pthread_once(&once, RunOnce);
    Check(onceRuns == 1, "pthread_once has run before it returns");
    for (int i = 0; i < 10000; ++i) {
        pthread_mutex_lock(&counterLock);
        counter = counter + 1;
        pthread_mutex_unlock(&counterLock);
    }
    pthread_setspecific(key, &values[index]);
    SetLastError(1234);
    Check(pthread_getspecific(key) == &values[index], "each thread sees its own value");
    Check(GetLastError() == 1234, "pthread_getspecific keeps the last error");
    try {
        throw std::runtime_error("on a worker");
    } catch (const std::runtime_error&) {
        return 0;
    }
    return 1;
}

} // namespace

int wmain() {
    Check(pthread_key_create(&key, Destroy) == 0, "a key is made");
    HANDLE threads[4];
    for (int i = 0; i < 4; ++i) {
        threads[i] =
            CreateThread(nullptr, 0, Worker, reinterpret_cast<void*>(INT_PTR{i}), 0, nullptr);
    }
    WaitForMultipleObjects(4, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) {
        DWORD code = 1;
        GetExitCodeThread(thread, &code);
        Check(code == 0, "an exception thrown on a worker is caught there");
        CloseHandle(thread);
    }
    Check(counter == 40000, "the lock lets one thread in at a time");
    Check(onceRuns == 1, "pthread_once runs once");
    Check(destroyed == 4, "each thread's value is destroyed as it exits");
    pthread_mutex_t dynamic;
    Check(pthread_mutex_init(&dynamic, nullptr) == 0 && pthread_mutex_lock(&dynamic) == 0 &&
              pthread_mutex_unlock(&dynamic) == 0 && pthread_mutex_destroy(&dynamic) == 0,
          "an initialised lock is taken and given back");
    std::printf("%s\n", failures == 0 ? "all hold" : "some failed");
    return failures == 0 ? 0 : 1;
}

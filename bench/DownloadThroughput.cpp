#include "forms/CallbackBoundary.h"
#include "update/CLumDownLoadFile.h"

#include <windows.h>

#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <string>

// DownLoadFile against a plain WinINet read loop, the same URL from the
// same local server, alternating, best of three each.
namespace {

double Seconds(LARGE_INTEGER start) {
    LARGE_INTEGER frequency, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

// The least a download can do: read 8192-byte blocks and write them out;
// with `flush`, also to the disk before it is done, as DownLoadFile does.
double PlainLoop(const std::wstring& url, const std::wstring& file, bool flush, DWORD& bytes) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    HINTERNET internet = InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request =
        InternetOpenUrlW(internet, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    static char buffer[8192];
    DWORD got = 0, written = 0;
    bytes = 0;
    while (InternetReadFile(request, buffer, sizeof buffer, &got) != FALSE && got > 0) {
        WriteFile(out, buffer, got, &written, nullptr);
        bytes += got;
    }
    if (flush) {
        FlushFileBuffers(out);
    }
    CloseHandle(out);
    InternetCloseHandle(request);
    InternetCloseHandle(internet);
    return Seconds(start);
}

// A 1 ms timer: each message-processing pass delivers at most one tick.
unsigned ticks = 0;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    forms::Guarded(
        L"bench tick", [] { ++ticks; }, [] {});
}

double OurDownload(const std::wstring& url, const std::wstring& file, DWORD& bytes,
                   unsigned& passes) {
    CLumDownLoadFile downloader;
    const forms::Connection loading =
        downloader.Loading.Connect([&](DWORD received) { bytes = received; });
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, &Tick);
    ticks = 0;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const bool ok = downloader.DownLoadFile(url, file, false, true);
    const double seconds = Seconds(start);
    passes = ticks;
    KillTimer(nullptr, timer);
    return ok ? seconds : -1.0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: BenchDownload URL FILE\n");
        return 2;
    }
    double plain = 1e9, flushed = 1e9, ours = 1e9;
    DWORD plainBytes = 0, ourBytes = 0;
    unsigned passes = 0, bestPasses = 0;
    for (int round = 0; round < 3; ++round) {
        plain = std::min(plain, PlainLoop(argv[1], argv[2], false, plainBytes));
        flushed = std::min(flushed, PlainLoop(argv[1], argv[2], true, plainBytes));
        const double seconds = OurDownload(argv[1], argv[2], ourBytes, passes);
        if (seconds < 0) {
            std::fprintf(stderr, "DownLoadFile failed\n");
            return 1;
        }
        if (seconds < ours) {
            ours = seconds;
            bestPasses = passes;
        }
    }
    DeleteFileW(argv[2]);
    const double mib = 1024.0 * 1024.0;
    std::printf("plain WinINet loop: %8.1f MiB/s (%lu bytes)\n", plainBytes / mib / plain,
                static_cast<unsigned long>(plainBytes));
    std::printf("same, flushed:      %8.1f MiB/s\n", plainBytes / mib / flushed);
    std::printf("DownLoadFile:       %8.1f MiB/s (%lu bytes, flushed before it is put in place)\n",
                ourBytes / mib / ours, static_cast<unsigned long>(ourBytes));
    std::printf(
        "ratio:              %8.3f to the plain loop, %.3f to the flushed one (goal >= 0.95)\n",
        plain / ours, flushed / ours);
    std::printf("message passes:     %8.0f per second (%u in the best run's %.2f s)\n",
                bestPasses / ours, bestPasses, ours);
    return 0;
}

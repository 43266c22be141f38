#include "startup/CLumDownLoadFile.h"

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

// The least a download can do: read 8192-byte blocks and write them out.
double PlainLoop(const std::wstring& url, const std::wstring& file, DWORD& bytes) {
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
    CloseHandle(out);
    InternetCloseHandle(request);
    InternetCloseHandle(internet);
    return Seconds(start);
}

double OurDownload(const std::wstring& url, const std::wstring& file, DWORD& bytes,
                   unsigned& passes) {
    CLumDownLoadFile downloader;
    passes = 0;
    downloader.Loading.Connect([&](DWORD received) {
        bytes = received;
        ++passes;
    });
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const bool ok = downloader.DownLoadFile(url, file, false, true);
    const double seconds = Seconds(start);
    return ok ? seconds : -1.0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: BenchDownload URL FILE\n");
        return 2;
    }
    double plain = 1e9, ours = 1e9;
    DWORD plainBytes = 0, ourBytes = 0;
    unsigned passes = 0;
    for (int round = 0; round < 3; ++round) {
        plain = std::min(plain, PlainLoop(argv[1], argv[2], plainBytes));
        const double seconds = OurDownload(argv[1], argv[2], ourBytes, passes);
        if (seconds < 0) {
            std::fprintf(stderr, "DownLoadFile failed\n");
            return 1;
        }
        ours = std::min(ours, seconds);
    }
    DeleteFileW(argv[2]);
    const double mib = 1024.0 * 1024.0;
    std::printf("plain WinINet loop: %8.1f MiB/s (%lu bytes)\n", plainBytes / mib / plain,
                static_cast<unsigned long>(plainBytes));
    std::printf("DownLoadFile:       %8.1f MiB/s (%lu bytes, flushed before it is put in place)\n",
                ourBytes / mib / ours, static_cast<unsigned long>(ourBytes));
    std::printf("ratio:              %8.3f (goal >= 0.95)\n", plain / ours);
    std::printf("message passes:     %8.0f per second (%u in the best run's %.2f s)\n",
                passes / ours, passes, ours);
    return 0;
}

#include <windows.h>

#include <bcrypt.h>
#include <commctrl.h>
#include <wininet.h>

#include <gtest/gtest.h>

namespace {

bool Loaded(const wchar_t* dll) {
    return GetModuleHandleW(dll) != nullptr;
}

} // namespace

// This executable takes these DLLs through the same delay-import libraries
// as the client and the updater: each first call goes through the thunk
// that loads its DLL.
TEST(DelayLoad, FirstCallOfEachDelayedDllLoadsItAndAnswers) {
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP source = CreateCompatibleBitmap(screen, 4, 4);
    HBITMAP target = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, target);
    EXPECT_TRUE(TransparentBlt(to, 0, 0, 4, 4, from, 0, 0, 4, 4, RGB(255, 0, 255)));
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteObject(source);
    DeleteObject(target);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(Loaded(L"msimg32.dll"));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&controls));

    BCRYPT_ALG_HANDLE sha = nullptr;
    ASSERT_EQ(BCryptOpenAlgorithmProvider(&sha, BCRYPT_SHA256_ALGORITHM, nullptr, 0), 0);
    EXPECT_EQ(BCryptCloseAlgorithmProvider(sha, 0), 0);

    HINTERNET session = InternetOpenW(L"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(InternetCloseHandle(session));
    for (const wchar_t* dll : {L"comctl32.dll", L"bcrypt.dll", L"wininet.dll"}) {
        EXPECT_TRUE(Loaded(dll)) << dll;
    }
}

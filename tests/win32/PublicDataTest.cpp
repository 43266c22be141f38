#include "forms/ResourceFile.h"
#include "forms/TempDir.h"
#include "game/Settings.h"
#include "login/GluedWindow.h"
#include "resources/resource.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::vector<unsigned char> ResourceBytes(WORD id, const wchar_t* type) {
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, info)));
    return {bytes, bytes + SizeofResource(nullptr, info)};
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(GetTempDir, IsTheSystemTemporaryPathWithExactlyOneTrailingBackslash) {
    wchar_t system[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, system);
    const std::wstring dir = forms::GetTempDir();
    EXPECT_EQ(dir, system);
    ASSERT_GE(dir.size(), 2u);
    EXPECT_EQ(dir.back(), L'\\');
    EXPECT_NE(dir[dir.size() - 2], L'\\');
}

TEST(GetTempDir, AddsTheBackslashWhenTheVariableHasNone) {
    wchar_t saved[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", L"C:\\windows\\temp");
    const std::wstring dir = forms::GetTempDir();
    SetEnvironmentVariableW(L"TMP", saved[0] != 0 ? saved : nullptr);
    EXPECT_EQ(dir, L"C:\\windows\\temp\\");
}

class SaveResToFileTest : public testing::Test {
protected:
    void TearDown() override { DeleteFileW(target.c_str()); }
    std::wstring target = forms::GetTempDir() + L"tavrin-saveres-test.bin";
};

TEST_F(SaveResToFileTest, ReplacesALongerFileWithExactlyTheResourceBytes) {
    const std::vector<unsigned char> resource = ResourceBytes(IDR_PNG_SPLASH, L"PNG");
    WriteFileBytes(target, std::vector<unsigned char>(resource.size() * 3, 0xAB));
    ASSERT_TRUE(forms::SaveResToFile(IDR_PNG_SPLASH, L"PNG", target));
    EXPECT_EQ(ReadFileBytes(target), resource);
    EXPECT_FALSE(FileExists(target + L".partial"));
}

TEST_F(SaveResToFileTest, WritesTheUpdaterResourceByteForByte) {
    ASSERT_TRUE(forms::SaveResToFile(IDR_UPDATE, L"UPDATE", target));
    const std::vector<unsigned char> bytes = ReadFileBytes(target);
    EXPECT_EQ(bytes, ResourceBytes(IDR_UPDATE, L"UPDATE"));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 'M');
    EXPECT_EQ(bytes[1], 'Z');
}

TEST_F(SaveResToFileTest, AMissingResourceReportsFailureAndLeavesTheFileAlone) {
    const std::vector<unsigned char> before{1, 2, 3};
    WriteFileBytes(target, before);
    EXPECT_FALSE(forms::SaveResToFile(999, L"PNG", target));
    EXPECT_FALSE(forms::SaveResToFile(IDR_UPDATE, L"NOSUCHTYPE", target));
    EXPECT_EQ(ReadFileBytes(target), before);
}

TEST_F(SaveResToFileTest, AnUnwritablePathReportsFailure) {
    const std::wstring nowhere = forms::GetTempDir() + L"no-such-folder\\file.bin";
    EXPECT_FALSE(forms::SaveResToFile(IDR_PNG_SPLASH, L"PNG", nowhere));
    EXPECT_FALSE(FileExists(nowhere));
}

TEST_F(SaveResToFileTest, AFileInUseIsLeftWholeAndReportedAsFailure) {
    const std::vector<unsigned char> before{9, 8, 7, 6};
    WriteFileBytes(target, before);
    HANDLE locked =
        CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(forms::SaveResToFile(IDR_PNG_SPLASH, L"PNG", target));
    CloseHandle(locked);
    EXPECT_EQ(ReadFileBytes(target), before);
    EXPECT_FALSE(FileExists(target + L".partial"));
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

TEST(HookWindow, EveryMoveOfTheHookedWindowMovesTheFollowerLeftAndTop) {
    HWND background = testing_support::CreatePlainWindow(100, 100, 400, 300);
    HWND follower = testing_support::CreatePlainWindow(0, 0, 120, 80);
    const LONG_PTR original = GetWindowLongPtrW(background, GWLP_WNDPROC);
    login::HookWindow(background, follower);
    EXPECT_NE(GetWindowLongPtrW(background, GWLP_WNDPROC), original);

    for (const POINT to : {POINT{150, 120}, POINT{10, 20}, POINT{333, 222}}) {
        SetWindowPos(background, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT r = WindowRect(follower);
        EXPECT_EQ(r.left, to.x);
        EXPECT_EQ(r.top, to.y);
        EXPECT_EQ(r.right - r.left, 120);
        EXPECT_EQ(r.bottom - r.top, 80);
    }
    EXPECT_EQ(WindowRect(background).right - WindowRect(background).left, 400);

    login::UnhookWindow(background);
    EXPECT_EQ(GetWindowLongPtrW(background, GWLP_WNDPROC), original);
    SetWindowPos(background, nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(WindowRect(follower).left, 333) << "no longer glued";
    DestroyWindow(background);
    DestroyWindow(follower);
}

} // namespace

#include "startup/CLumDownLoadFile.h"
#include "startup/PublicData.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"
#include "updater/UpdateJob.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace {

using testing_support::OperatorServer;
using testing_support::ReadFileBytes;
using Bytes = std::vector<unsigned char>;

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// An install directory with a space in its name, holding an old client.
class UpdaterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OperatorServer::Available()) << "run through tests/with_operator.py";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        testing_support::WriteFileBytes(dir + L"game.dll", oldDll);
        testing_support::WriteFileBytes(dir + L"client.exe", oldExe);
        OperatorServer::Serve(L"game.dll", newDll);
        OperatorServer::Serve(L"client.exe", newExe);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::wstring Line(const std::wstring& path, const std::wstring& extra = L"") {
        return L"0|" + OperatorServer::Url(path) + extra + L"\r\n";
    }
    UpdateJob::Result Run(const std::wstring& fileLines, DWORD patience = 2000) {
        UpdateJob job(downloader, {dir, dir + L"client.exe"});
        job.FileStarted.Connect([this](const std::wstring& name) { started.push_back(name); });
        return job.Run(
            L"version=1.2.0\r\n" + fileLines, [this] { return stop; }, patience);
    }
    void ExpectUntouched(const UpdateJob::Result& result, const std::wstring& what) {
        EXPECT_FALSE(result.complete) << what;
        EXPECT_EQ(result.openFile, dir + L"client.exe") << what;
        EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), oldDll) << what;
        EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), oldExe) << what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                                std::filesystem::directory_iterator()),
                  2)
            << what << ": nothing staged is left behind";
    }

    const std::wstring dir = PublicData::GetTempDir() + L"tavrin update test\\";
    const Bytes oldDll = Text("old dll"), oldExe = Text("old exe");
    const Bytes newDll = Text("new dll, longer"), newExe = Bytes(30000, 0x5A);
    CLumDownLoadFile downloader;
    std::vector<std::wstring> started;
    bool stop = false;
};

TEST_F(UpdaterTest, EveryFileLandsByteExactInOrderAndTheLastIsOpened) {
    const auto result = Run(Line(L"/files/game.dll") + Line(L"/files/client.exe"));
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.openFile, dir + L"client.exe");
    EXPECT_EQ(started, (std::vector<std::wstring>{L"game.dll", L"client.exe"}));
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), newDll);
    EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), newExe);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(UpdaterTest, RefusedInputCommitsNothing) {
    OperatorServer::Serve(L"nul", newDll);
    const std::wstring wrongHash = L"|sha256=" + std::wstring(64, L'0');
    for (const std::wstring& lines :
         {Line(L"/files/game.dll") + Line(L"/status/404/client.exe"),
          Line(L"/files/game.dll") + Line(L"/cut/client.exe"),
          Line(L"/files/game.dll") + Line(L"/files/..") + Line(L"/files/client.exe"),
          Line(L"/files/game.dll") + Line(L"/files/nul"),
          Line(L"/files/game.dll") + Line(L"/files/client.exe", wrongHash), std::wstring()}) {
        ExpectUntouched(Run(lines), lines);
    }
}

TEST_F(UpdaterTest, AMatchingSha256IsAccepted) {
    // SHA-256 of 30000 bytes of 'Z'.
    const std::wstring hash =
        L"|sha256=f4099a41a220ac5f990a4b2ad3733dee3899b7c471d4a5a82610bea1606124a5";
    const auto result = Run(Line(L"/files/client.exe", hash));
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), newExe);
}

TEST_F(UpdaterTest, AStopDuringTheFirstFileFetchesNothingFurther) {
    downloader.Loading.Connect([this](DWORD) {
        stop = true;
        downloader.StopDownLoad();
    });
    ExpectUntouched(Run(Line(L"/slow/client.exe") + Line(L"/files/game.dll")), L"stop");
    EXPECT_EQ(started, std::vector<std::wstring>{L"client.exe"});
}

// The exiting client, or a second copy of it, holds its executable open.
HANDLE Hold(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

TEST_F(UpdaterTest, AHeldClientIsWaitedForThenReplaced) {
    HANDLE held = Hold(dir + L"client.exe");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(1500);
        CloseHandle(held);
    });
    const auto result = Run(Line(L"/files/game.dll") + Line(L"/files/client.exe"), 10000);
    release.join();
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), newExe);
}

TEST_F(UpdaterTest, AClientHeldPastThePatienceRollsEverythingBack) {
    HANDLE held = Hold(dir + L"client.exe");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ULONGLONG start = GetTickCount64();
    const auto result = Run(Line(L"/files/game.dll") + Line(L"/files/client.exe"), 1000);
    EXPECT_GE(GetTickCount64() - start, 1000u);
    CloseHandle(held);
    ExpectUntouched(result, L"held");
}

} // namespace

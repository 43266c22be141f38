#include "forms/TempDir.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"
#include "update/CLumDownLoadFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::OperatorServer;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

std::vector<unsigned char> Blob(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    unsigned value = 12345;
    for (unsigned char& b : bytes) {
        value = value * 1103515245u + 12345u;
        b = static_cast<unsigned char>(value >> 16);
    }
    return bytes;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DownloadTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OperatorServer::Available()) << "run through tests/with_operator.py";
        OperatorServer::Serve(L"blob.bin", blob);
        DeleteTarget();
    }
    void TearDown() override { DeleteTarget(); }
    void DeleteTarget() {
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(target.c_str());
    }
    // Records the events in the order they came.
    void Record(CLumDownLoadFile& downloader) {
        testing_support::Held() += downloader.QueryFileInfo.Connect(
            [this](DWORD total) { events.push_back("info " + std::to_string(total)); });
        testing_support::Held() +=
            downloader.Loading.Connect([this](DWORD received) { loaded.push_back(received); });
        testing_support::Held() +=
            downloader.Complete.Connect([this] { events.push_back("complete"); });
    }
    void KeepAnOldCopy() { WriteFileBytes(target, oldCopy); }

    const std::vector<unsigned char> blob = Blob(50000); // 7 blocks, the last one short
    const std::vector<unsigned char> oldCopy{'o', 'l', 'd'};
    const std::wstring target = forms::GetTempDir() + L"tavrin-download-test.bin";
    std::vector<std::string> events;
    std::vector<DWORD> loaded;
};

TEST_F(DownloadTest, AFileArrivesWholeWithItsEventsInOrder) {
    CLumDownLoadFile downloader;
    Record(downloader);
    EXPECT_TRUE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, true));
    EXPECT_EQ(ReadFileBytes(target), blob);
    EXPECT_EQ(events, (std::vector<std::string>{"info 50000", "complete"}));
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(loaded.back(), 50000u);
    for (std::size_t i = 1; i < loaded.size(); ++i) {
        EXPECT_GT(loaded[i], loaded[i - 1]);
        EXPECT_LE(loaded[i] - loaded[i - 1], 8192u) << "blocks of at most 8192 bytes";
    }
    EXPECT_FALSE(Exists(target + L".download"));
}

TEST_F(DownloadTest, AnErrorStatusLeavesTheOldFileAndStillCompletes) {
    for (const wchar_t* path :
         {L"/status/404/blob.bin", L"/status/500/blob.bin", L"/files/none.bin"}) {
        KeepAnOldCopy();
        CLumDownLoadFile downloader;
        Record(downloader);
        EXPECT_FALSE(downloader.DownLoadFile(OperatorServer::Url(path), target, false, true))
            << path;
        EXPECT_EQ(ReadFileBytes(target), oldCopy) << path;
        EXPECT_EQ(events, std::vector<std::string>{"complete"}) << path;
        events.clear();
    }
}

TEST_F(DownloadTest, AnswersWithoutALengthGiveNoFile) {
    for (const wchar_t* path : {L"/chunked/blob.bin", L"/nolength/blob.bin", L"/empty/blob.bin"}) {
        CLumDownLoadFile downloader;
        EXPECT_FALSE(downloader.DownLoadFile(OperatorServer::Url(path), target, false, true))
            << path;
        EXPECT_FALSE(Exists(target)) << path;
    }
}

TEST_F(DownloadTest, ABodyCutShortIsAFailureAndKeepsTheOldFile) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/cut/blob.bin"), target, false, false));
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    EXPECT_FALSE(Exists(target + L".download"));
}

TEST_F(DownloadTest, AStopFromALoadingHandlerEndsAfterThatBlockAndKeepsTheOldFile) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    Record(downloader);
    testing_support::Held() += downloader.Loading.Connect([&](DWORD received) {
        loaded.push_back(received);
        downloader.StopDownLoad();
    });
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, true));
    EXPECT_EQ(loaded.size(), 1u);
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    EXPECT_EQ(events.back(), "complete");
    EXPECT_FALSE(Exists(target + L".download"));
}

LRESULT CALLBACK StopOnAppMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        reinterpret_cast<CLumDownLoadFile*>(lParam)->StopDownLoad();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(DownloadTest, WindowMessagesAreDeliveredBetweenBlocks) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    HWND window = testing_support::CreatePlainWindow(0, 0, 10, 10);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StopOnAppMessage));
    PostMessageW(window, WM_APP, 0, reinterpret_cast<LPARAM>(&downloader));
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/slow/blob.bin"), target, false, false));
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    DestroyWindow(window);
}

TEST_F(DownloadTest, AQuitRequestEndsARunningDownloadAndIsLeftForTheLoop) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    PostQuitMessage(0);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/slow/blob.bin"), target, false, false));
    EXPECT_LT(GetTickCount64() - start, 2000u) << "the whole body would take 4 seconds";
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    testing_support::DrainPosted();
    EXPECT_TRUE(testing_support::TakeQuitRequest()) << "the quit request is still there";
}

TEST_F(DownloadTest, TheLimitsRefuseALongAnswerAndGiveUpOnAStall) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    downloader.SetLimits(0, 40000);
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, false));
    downloader.SetLimits(1500, 0);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(downloader.DownLoadFile(OperatorServer::Url(L"/stall/blob.bin?hold=20"), target,
                                         false, false));
    EXPECT_LT(GetTickCount64() - start, 5000u);
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    EXPECT_TRUE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, false));
    EXPECT_EQ(ReadFileBytes(target), blob) << "a limit that is kept lets the file through";
}

TEST_F(DownloadTest, ADripBelowThePaceFailsAndAStopDuringItWorksAtOnce) {
    KeepAnOldCopy();
    CLumDownLoadFile downloader;
    downloader.SetStallLimit(1500, 1024);
    int progress = 0;
    testing_support::Held() += downloader.Loading.Connect([&](DWORD) { ++progress; });
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(downloader.DownLoadFile(OperatorServer::Url(L"/drip/blob.bin?every=0.2&hold=20"),
                                         target, false, true));
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 1500u) << "the first kibibyte opens a fresh window";
    EXPECT_LT(took, 6000u);
    EXPECT_GE(progress, 3) << "this thread saw the drip byte by byte";
    EXPECT_EQ(ReadFileBytes(target), oldCopy);

    testing_support::Held() += downloader.Loading.Connect([&](DWORD received) {
        if (received > 1024) {
            downloader.StopDownLoad();
        }
    });
    const ULONGLONG stopStart = GetTickCount64();
    EXPECT_FALSE(downloader.DownLoadFile(OperatorServer::Url(L"/drip/blob.bin?every=0.2&hold=20"),
                                         target, false, true));
    EXPECT_LT(GetTickCount64() - stopStart, 1400u) << "a stop during the drip ends it at once";
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
}

TEST_F(DownloadTest, DestroyingTheDownloaderInAHandlerEndsTheTransferSafely) {
    KeepAnOldCopy();
    auto downloader = std::make_unique<CLumDownLoadFile>();
    int calls = 0;
    testing_support::Held() += downloader->Loading.Connect([&](DWORD) {
        ++calls;
        downloader.reset();
    });
    CLumDownLoadFile* raw = downloader.get();
    EXPECT_FALSE(raw->DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, true));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    EXPECT_FALSE(Exists(target + L".download"));
}

TEST_F(DownloadTest, WithoutRaisingEventsNoneArrive) {
    CLumDownLoadFile downloader;
    Record(downloader);
    EXPECT_TRUE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, false, false));
    EXPECT_FALSE(
        downloader.DownLoadFile(OperatorServer::Url(L"/status/404/x"), target, false, false));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(loaded.empty());
}

TEST_F(DownloadTest, TheHiddenAttributeIsSetAndAHiddenCopyCanBeReplaced) {
    CLumDownLoadFile downloader;
    ASSERT_TRUE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, true, false));
    EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    OperatorServer::Serve(L"blob.bin", oldCopy);
    ASSERT_TRUE(
        downloader.DownLoadFile(OperatorServer::Url(L"/files/blob.bin"), target, true, false));
    EXPECT_EQ(ReadFileBytes(target), oldCopy);
    EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(DownloadTest, NoServerListeningIsAQuietFailure) {
    CLumDownLoadFile downloader;
    Record(downloader);
    EXPECT_FALSE(downloader.DownLoadFile(L"http://127.0.0.1:1/blob.bin", target, false, true));
    EXPECT_EQ(events, std::vector<std::string>{"complete"});
}

} // namespace

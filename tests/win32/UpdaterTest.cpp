#include "forms/TempDir.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"
#include "update/CLumDownLoadFile.h"
#include "update/FileHash.h"
#include "update/InstallLock.h"
#include "update/InstallRecovery.h"
#include "update/ManifestTrust.h"
#include "update/UpdateJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

namespace {

using testing_support::OperatorServer;
using testing_support::ReadFileBytes;
using Bytes = std::vector<unsigned char>;

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// An install directory with a space in its name, holding an old client;
// the test is the updater and holds the install lock.
class UpdaterTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OperatorServer::Available()) << "run through tests/with_operator.py";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        lock.emplace(dir);
        ASSERT_TRUE(lock->Held());
        testing_support::WriteFileBytes(dir + L"game.dll", oldDll);
        testing_support::WriteFileBytes(dir + L"client.exe", oldExe);
        OperatorServer::Serve(L"game.dll", newDll);
        OperatorServer::Serve(L"client.exe", newExe);
    }
    void TearDown() override {
        lock.reset();
        std::filesystem::remove_all(dir);
    }

    std::wstring Line(const std::wstring& path, const std::wstring& extra = L"") {
        return L"0|" + OperatorServer::Url(path) + extra + L"\r\n";
    }
    UpdateJob::Result Run(const std::wstring& fileLines, DWORD patience = 2000,
                          std::optional<std::size_t> stopAfter = std::nullopt) {
        UpdateJob job(downloader, {dir, dir + L"client.exe"}, *lock);
        if (stopAfter) {
            job.StopCommitAfterStep(*stopAfter);
        }
        testing_support::Held() +=
            job.FileStarted.Connect([this](const std::wstring& name) { started.push_back(name); });
        testing_support::Held() += job.Committing.Connect([this](bool now) {
            committing = now;
            if (now && onCommitting) {
                onCommitting();
            }
        });
        testing_support::Held() += job.Waiting.Connect([this] {
            if (committing && onRetry) {
                onRetry();
            }
        });
        return job.Run(
            L"version=1.2.0\r\n" + fileLines, [this] { return stop; }, patience);
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.push_back(entry.path().filename().wstring());
        }
        std::sort(names.begin(), names.end());
        return names;
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

    const std::wstring dir = forms::GetTempDir() + L"tavrin update test\\";
    const Bytes oldDll = Text("old dll"), oldExe = Text("old exe");
    const Bytes newDll = Text("new dll, longer"), newExe = Bytes(30000, 0x5A);
    CLumDownLoadFile downloader;
    std::vector<std::wstring> started;
    bool stop = false;
    bool committing = false;
    std::function<void()> onRetry;
    std::function<void()> onCommitting;
    std::optional<InstallLock> lock;
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
    testing_support::Held() += downloader.Loading.Connect([this](DWORD) {
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
    int retries = 0;
    onRetry = [&] {
        if (++retries == 1) {
            CloseHandle(held); // the client ends while the updater waits
        }
    };
    const auto result = Run(Line(L"/files/game.dll") + Line(L"/files/client.exe"), 10000);
    EXPECT_EQ(retries, 1) << "the held file was found held once, then moved";
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
    // The old client's second name, held with it, goes at the next start.
    EXPECT_EQ(InstallRecovery::Recover(dir, *lock), InstallRecovery::Outcome::Settled);
    ExpectUntouched(result, L"held");
}

// Killed after any of the commit's steps, the next start leaves every
// listed file old, or every one new, and nothing of the updater's; no
// name is missing even before it.
TEST_F(UpdaterTest, ACommitCutOffAfterAnyStepIsRecoveredAtTheNextStart) {
    const Bytes newDat = Text("added");
    OperatorServer::Serve(L"added.dat", newDat);
    const std::wstring lines =
        Line(L"/files/game.dll") + Line(L"/files/added.dat") + Line(L"/files/client.exe");
    // Journal, 2 set aside, 3 moved in, journal gone, 2 backups deleted.
    constexpr std::size_t kSteps = 9;
    for (std::size_t k = 0; k <= kSteps; ++k) {
        SetUp();
        const auto result = Run(lines, 2000, k);
        EXPECT_EQ(result.complete, k == kSteps) << k;
        EXPECT_EQ(std::filesystem::exists(dir + L"update.tavrin-journal"), k > 0 && k < 7) << k;
        EXPECT_TRUE(std::filesystem::exists(dir + L"client.exe")) << k;
        EXPECT_TRUE(std::filesystem::exists(dir + L"game.dll")) << k;
        EXPECT_EQ(InstallRecovery::Recover(dir, *lock), InstallRecovery::Outcome::Settled) << k;
        const bool isNew = k > 5;
        EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), isNew ? newDll : oldDll) << k;
        EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), isNew ? newExe : oldExe) << k;
        const std::vector<std::wstring> names =
            isNew ? std::vector<std::wstring>{L"added.dat", L"client.exe", L"game.dll"}
                  : std::vector<std::wstring>{L"client.exe", L"game.dll"};
        EXPECT_EQ(Names(), names) << "after step " << k;
    }
}

// A client started in another session recovers only when it can take the
// lock; while the updater commits it cannot, and leaves the commit alone.
TEST_F(UpdaterTest, ARecoveryDuringTheCommitLeavesItAlone) {
    std::optional<InstallRecovery::Outcome> outcome;
    onCommitting = [&] { outcome = InstallRecovery::Recover(dir); };
    EXPECT_TRUE(Run(Line(L"/files/game.dll") + Line(L"/files/client.exe")).complete);
    EXPECT_EQ(outcome, InstallRecovery::Outcome::Busy);
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), newDll);
    EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), newExe);
}

// game.dll was replaced when the commit was cut off; its backup is held
// while the next update starts: nothing is fetched or committed, and the
// journal stays until the backup is free and goes back.
TEST_F(UpdaterTest, AnUnfinishedRecoveryHoldsTheNextUpdateBack) {
    const std::wstring lines = Line(L"/files/game.dll") + Line(L"/files/client.exe");
    Run(lines, 2000, 3);
    ASSERT_EQ(ReadFileBytes(dir + L"game.dll"), newDll);
    HANDLE held = Hold(dir + L"game.dll.tavrin-old");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    started.clear();
    const auto result = Run(lines);
    EXPECT_TRUE(result.blocked);
    EXPECT_FALSE(result.complete);
    EXPECT_TRUE(started.empty()) << "nothing fetched";
    EXPECT_TRUE(std::filesystem::exists(dir + L"update.tavrin-journal"));
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll.tavrin-old"), oldDll);
    CloseHandle(held);
    EXPECT_EQ(InstallRecovery::Recover(dir, *lock), InstallRecovery::Outcome::Settled);
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), oldDll);
    EXPECT_EQ(ReadFileBytes(dir + L"client.exe"), oldExe);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"client.exe", L"game.dll"}));
}

TEST_F(UpdaterTest, ADirectoryTargetIsRefused) {
    std::filesystem::create_directory(dir + L"data");
    OperatorServer::Serve(L"data", newDll);
    const auto result = Run(Line(L"/files/game.dll") + Line(L"/files/data"));
    EXPECT_FALSE(result.complete);
    EXPECT_FALSE(result.unfinished);
    EXPECT_TRUE(std::filesystem::is_directory(dir + L"data"));
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), oldDll);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"client.exe", L"data", L"game.dll"}));
}

TEST_F(UpdaterTest, AReadOnlyTargetIsReplacedAndLeavesNoBackup) {
    ASSERT_TRUE(SetFileAttributesW((dir + L"game.dll").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Run(Line(L"/files/game.dll")).complete);
    EXPECT_EQ(ReadFileBytes(dir + L"game.dll"), newDll);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"client.exe", L"game.dll"}));
}

TEST_F(UpdaterTest, NamesOfTheUpdatersOwnFilesAreRefused) {
    OperatorServer::Serve(L"game.dll.tavrin-old", newDll);
    ExpectUntouched(Run(Line(L"/files/game.dll.tavrin-old") + Line(L"/files/game.dll")),
                    L"own name");
}

// A key and a signature made by openssl (ecparam -genkey prime256v1; dgst
// -sha256 -sign), checked by the platform's ECDSA.
TEST(ManifestTrust, AnOpensslSignatureVerifiesAndAChangedByteDoesNot) {
    const char* hex = "589303f4d79c8af728e594e7b047cdd605940991b0c3a9838528bcee3323878a"
                      "0e942f8f6ea569b49facf3c27c7f4654df0eeded8ad9bcc4f7790c442006a638";
    ManifestTrust::Point key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
        key[i] = static_cast<unsigned char>(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
    }
    const std::string body = "version=1.2.0\r\n0|http://h/a.dll\r\n";
    const std::string line = "signature=MEUCIQCZp5REEt4CvpfOC9UuBXXBMtIzIx5VDFffH8u01ivW2wIgem58RR"
                             "DhhYMxgRDkl6BcJoDcrpAe+j1mPxFl9MMMWxE=\r\n";
    EXPECT_EQ(ManifestTrust::SignedBody(body + line, key), body) << "the signed part only";
    std::string changed = body + line;
    changed[9] = '3';
    EXPECT_FALSE(ManifestTrust::SignedBody(changed, key));
    EXPECT_FALSE(ManifestTrust::SignedBody(body, key)) << "unsigned";
    key[5] ^= 1;
    EXPECT_FALSE(ManifestTrust::SignedBody(body + line, key)) << "another key";
}

// The digest handed to the elevated copy is of every byte read, not of the
// text made from them.
TEST(ManifestTrust, TheManifestIsReadOnceWithTheDigestOfItsBytes) {
    const std::wstring path = forms::GetTempDir() + L"tavrin-trust-test.txt";
    const Bytes bytes = Text("\xEF\xBB\xBFversion=1.2.0\r\n0|http://h/\xE6\x95\xB0.dll\r\n");
    testing_support::WriteFileBytes(path, bytes);
    const std::optional<ManifestTrust::Verified> manifest = ManifestTrust::Read(path, L"brnq2");
    const std::optional<UpdaterRules::Sha256> onDisk = FileSha256(path);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(manifest && onDisk);
    EXPECT_EQ(manifest->text, L"version=1.2.0\r\n0|http://h/\u6570.dll\r\n");
    EXPECT_EQ(manifest->sha256, *onDisk);
    EXPECT_FALSE(ManifestTrust::Read(path, L"brnq2")) << "no file";
}

} // namespace

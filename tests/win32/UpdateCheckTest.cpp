#include "startup/UpdateCheck.h"

#include "forms/Application.h"
#include "forms/TempDir.h"
#include "startup/ElevatedUpdate.h"
#include "tests/win32/OperatorServer.h"
#include "tests/win32/TestWindows.h"
#include "update/CLumDownLoadFile.h"
#include "update/ManifestText.h"
#include "update/core/UpdateRules.h"
#include "update/core/UpdaterRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using forms::MsgAnswer;
using forms::MsgButtons;
using forms::MsgIcon;
using testing_support::OperatorServer;

const std::wstring kManifestPath = forms::GetTempDir() + L"update.txt";
const std::wstring kUpdaterPath = forms::GetTempDir() + L"Update.exe";

void Forget(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}

class UpdateCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OperatorServer::Available()) << "run through tests/with_operator.py";
        Forget(kManifestPath);
        Forget(kUpdaterPath);
    }
    void TearDown() override { Forget(kManifestPath); }

    bool Check(const std::string& manifest, UpdateCheckMode mode) {
        OperatorServer::Serve(L"gamehome/brnq2/update.txt", manifest);
        return RunUpdateCheck(downloader, mode, OperatorServer::Url(L"/gamehome/brnq2/update.txt"));
    }

    testing_support::ScriptedDialogs dialogs;
    testing_support::RecordedLaunches launches;
    CLumDownLoadFile downloader;
};

TEST_F(UpdateCheckTest, AFailedDownloadFromTheMenuIsNotCalledUpToDate) {
    OperatorServer::Serve(L"gamehome/brnq2/update.txt", "version=1.1.0\r\n");
    EXPECT_FALSE(RunUpdateCheck(downloader, UpdateCheckMode::Menu,
                                OperatorServer::Url(L"/status/404/update.txt")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"检查更新失败，请稍后再试！");
}

TEST_F(UpdateCheckTest, TheSameVersionIsSilentAtStartAndReportedFromTheMenu) {
    EXPECT_FALSE(
        Check("[update]\r\nVersion=  1.1.0 \r\nfile=http://x/a.exe\r\n", UpdateCheckMode::Startup));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_NE(GetFileAttributesW(kManifestPath.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u)
        << "the manifest copy is kept, hidden";
    EXPECT_EQ(GetFileAttributesW((forms::GetTempDir() + L"update.new").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "the fetched copy was moved into place";

    EXPECT_FALSE(Check("version=1.1.0\r\n", UpdateCheckMode::Menu));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, L"当前版本已是最新，无需更新！");
    EXPECT_EQ(dialogs.messages[0].caption, L"提示");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
}

TEST_F(UpdateCheckTest, ADifferentVersionIsOfferedNamingBothAndNoCarriesOn) {
    for (const char* version : {"1.1", "1.01.0", "1.0.9", "2.0.0"}) {
        dialogs.answers = {MsgAnswer::No};
        EXPECT_FALSE(Check(std::string("version=") + version + "\r\n", UpdateCheckMode::Startup));
        ASSERT_EQ(dialogs.messages.size(), 1u) << version;
        const std::wstring text = dialogs.messages[0].text;
        EXPECT_EQ(text.rfind(L"发现有新版本，是否现在更新！", 0), 0u) << version;
        const std::wstring fromTo = L"从 " + LocalVersion() + L" 更新到 " +
                                    std::wstring(version, version + std::strlen(version));
        EXPECT_NE(text.find(fromTo), std::wstring::npos) << version;
        EXPECT_EQ(dialogs.messages[0].caption, L"提示");
        EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Question);
        EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(GetFileAttributesW(kUpdaterPath.c_str()), INVALID_FILE_ATTRIBUTES);
        dialogs.messages.clear();
    }
}

TEST_F(UpdateCheckTest, YesWritesOutTheCarriedUpdaterAndStartsIt) {
    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(Check("version=1.2.0\r\n", UpdateCheckMode::Menu));
    EXPECT_EQ(dialogs.messages.size(), 1u) << "no failure message";
    const std::vector<unsigned char> carried =
        testing_support::ReadFileBytes(forms::Application::Path() + L"\\Update.exe");
    EXPECT_EQ(testing_support::ReadFileBytes(kUpdaterPath), carried);
    ASSERT_EQ(launches.requests.size(), 1u);
    EXPECT_EQ(launches.requests[0].verb, L"open");
    EXPECT_EQ(launches.requests[0].file, kUpdaterPath);
    EXPECT_EQ(launches.requests[0].parameters,
              UpdateRules::UpdaterArgument(forms::Application::ExePath()));
}

TEST_F(UpdateCheckTest, AStartRefusedBySystemIsReportedAndTheClientCarriesOn) {
    launches.accept = false;
    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(Check("version=1.2.0\r\n", UpdateCheckMode::Startup));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::Exclamation);
}

TEST_F(UpdateCheckTest, TheKeyIsSkippedInCharactersAfterConversion) {
    EXPECT_FALSE(Check("\xEF\xBB\xBFversion\xEF\xBC\x9A"
                       "1.1.0\r\n",
                       UpdateCheckMode::Startup));
    EXPECT_TRUE(dialogs.messages.empty()) << "the same version offers nothing";
    constexpr unsigned kSimplifiedChinese = 936;
    // GBK: the full-width colon is two bytes, A3 BA; one character once converted.
    const std::wstring gbk = ManifestText("version\xA3\xBA 1.1.0 \r\n\xB0\xE6", kSimplifiedChinese);
    EXPECT_EQ(gbk, L"version\uFF1A 1.1.0 \r\n\u7248");
    EXPECT_EQ(UpdateRules::ServerVersion(gbk), L"1.1.0");
    const std::string bom = "\xEF\xBB\xBF\xE7\x89\x88";
    EXPECT_EQ(ManifestText(bom, kSimplifiedChinese), L"\u7248") << "UTF-8 whatever the code page";
}

TEST_F(UpdateCheckTest, AnOversizedManifestIsRefusedAndTheOldCopyKept) {
    dialogs.answers = {MsgAnswer::No, MsgAnswer::No};
    EXPECT_FALSE(Check("version=3.0.0\r\n", UpdateCheckMode::Startup));
    EXPECT_FALSE(
        Check("version=1.1.0\r\n" + std::string(64 * 1024, ';'), UpdateCheckMode::Startup));
    EXPECT_EQ(dialogs.messages.size(), 2u) << "the old copy still offers 3.0.0";
}

TEST_F(UpdateCheckTest, AnUpdaterThatCannotBeWrittenIsReportedAndTheClientCarriesOn) {
    // A running updater holds its file: writing it out again fails.
    testing_support::WriteFileBytes(kUpdaterPath, {'b', 'u', 's', 'y'});
    HANDLE held =
        CreateFileW(kUpdaterPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(Check("version=1.2.0\r\n", UpdateCheckMode::Startup));
    CloseHandle(held);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, L"提示");
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_NE(dialogs.messages[1].text.find(L"更新"), std::wstring::npos);
}

TEST_F(UpdateCheckTest, NoManifestAtStartOrNoVersionLineEndsSilently) {
    EXPECT_FALSE(RunUpdateCheck(downloader, UpdateCheckMode::Startup,
                                OperatorServer::Url(L"/status/404/update.txt")));
    for (const UpdateCheckMode mode : {UpdateCheckMode::Startup, UpdateCheckMode::Menu}) {
        EXPECT_FALSE(Check("[update]\r\nfile=http://x/a.exe\r\n", mode));
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UpdateCheckTest, AFailedDownloadReadsTheCopyLeftByAnEarlierCheck) {
    dialogs.answers = {MsgAnswer::No};
    EXPECT_FALSE(Check("version=3.0.0\r\n", UpdateCheckMode::Startup));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    dialogs.answers = {MsgAnswer::No};
    EXPECT_FALSE(RunUpdateCheck(downloader, UpdateCheckMode::Startup,
                                OperatorServer::Url(L"/status/500/update.txt")));
    EXPECT_EQ(dialogs.messages.size(), 2u) << "the stale copy offers the update again";
}

// Started as administrator, the client runs a copy of its updater from its
// own folder, hands it the argument and gives back its exit code; for any
// other folder, or without the marker, it runs nothing.
TEST(ElevatedUpdate, TheClientRunsItsOwnCopyFromItsOwnFolderOnly) {
    testing_support::RecordedLaunches launches;
    EXPECT_FALSE(RunElevatedUpdate(L"/web"));
    const std::wstring dir = forms::Application::Path() + L"\\";
    const std::wstring argument =
        UpdaterRules::ElevatedArgument({dir, dir + L"Tavrin.exe"}, L"C:\\t\\update.txt", {});
    const auto code = RunElevatedUpdate(UpdaterRules::kElevatedUpdateSwitch + argument);
    ASSERT_EQ(launches.requests.size(), 1u);
    const forms::LaunchRequest& run = launches.requests[0];
    EXPECT_EQ(run.file, dir + UpdaterRules::kElevatedCopyName);
    EXPECT_EQ(run.parameters, argument);
    EXPECT_EQ(code, static_cast<int>(UpdaterRules::kElevatedCopyFailed)) << "the recorder ran none";
    EXPECT_EQ(GetFileAttributesW(run.file.c_str()), INVALID_FILE_ATTRIBUTES) << "the copy goes";

    for (const std::wstring& refused :
         {UpdaterRules::ElevatedArgument({L"C:\\elsewhere\\", L"C:\\elsewhere\\a.exe"}, L"m", {}),
          dir + L"|" + dir + L"Tavrin.exe"}) {
        EXPECT_EQ(RunElevatedUpdate(UpdaterRules::kElevatedUpdateSwitch + refused),
                  static_cast<int>(UpdaterRules::kElevatedCopyFailed));
    }
    EXPECT_EQ(launches.requests.size(), 1u) << "nothing run for another folder or no marker";
}

} // namespace

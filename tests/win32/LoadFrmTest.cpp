#include "startup/LoadFrm.h"

#include "forms/Application.h"
#include "forms/PngResource.h"
#include "forms/TempDir.h"
#include "login/LoginBgFrm.h"
#include "login/LoginWindows.h"
#include "resources/resource.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/ScriptedBrowser.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

std::uint32_t Alpha(std::uint32_t argb) {
    return argb >> 24;
}

class LoadFrmTest : public testing::Test {
protected:
    void SetUp() override {
        login::LoginWindows::Bind();
        // The start-up check would read a manifest left by another test.
        testing_support::ForgetStartupManifest();
        ScriptedBrowser::Install();
    }
    void TearDown() override {
        if (LoginBgFrm::Exists()) {
            LoginBgFrm::Instance().Unload();
        }
        if (LoadFrm::Exists()) {
            LoadFrm::Instance().Unload();
        }
        testing_support::DrainPosted();
        ScriptedBrowser::Uninstall();
    }
    testing_support::ScriptedDialogs dialogs;
};

TEST_F(LoadFrmTest, OnlineStartShowsTheSplashAsALayeredPictureOfItsOwnSize) {
    LoadFrm& splash = LoadFrm::Instance();
    ASSERT_TRUE(splash.IsLoaded());
    EXPECT_TRUE(dialogs.messages.empty()) << "online: no message";
    EXPECT_EQ(splash.Caption(), L"Form1");
    EXPECT_FALSE(splash.Visible()) << "shown only after the load step returns";
    EXPECT_NE(GetWindowLongPtrW(splash.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    splash.Show();
    testing_support::DrainPosted();
    RECT r{};
    GetWindowRect(splash.hWnd(), &r);
    EXPECT_EQ(r.right - r.left, 356);
    EXPECT_EQ(r.bottom - r.top, 122);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(LoadFrmTest, TheSplashOpensCentredOnThePointersMonitor) {
    FakeDesktop desktop({0, 0, 1280, 984});
    desktop.pointerOnLeft = true;
    LoadFrm& splash = LoadFrm::Instance();
    splash.Show();
    testing_support::DrainPosted();
    RECT r{};
    GetWindowRect(splash.hWnd(), &r);
    const forms::Rect left = FakeDesktop::kLeftWork;
    EXPECT_NEAR((r.left + r.right) / 2, (left.left + left.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (left.top + left.bottom) / 2, 1);
}

TEST_F(LoadFrmTest, SplashIsNotInTheTaskbar) {
    HWND window = LoadFrm::Instance().hWnd();
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), forms::Application::HiddenOwner());
}

TEST_F(LoadFrmTest, SplashSurfaceHoldsThePicturesAlpha) {
    const forms::LayeredPicture& surface = LoadFrm::Instance().Splash();
    ASSERT_EQ(surface.Width(), 356);
    ASSERT_EQ(surface.Height(), 122);
    EXPECT_EQ(Alpha(surface.PixelAt(0, 0)), 0u) << "rounded corner is see-through";
    EXPECT_EQ(Alpha(surface.PixelAt(355, 121)), 0u);
    EXPECT_EQ(Alpha(surface.PixelAt(178, 61)), 255u);
    EXPECT_EQ(surface.PixelAt(0, 0), 0u) << "premultiplied: no colour where alpha is 0";
}

TEST_F(LoadFrmTest, TheLoginWindowsLoadFromTheLoopAndTakeTheSplashAlongWhenTheyClose) {
    HWND window = LoadFrm::Instance().hWnd();
    EXPECT_FALSE(LoginBgFrm::Exists()) << "the splash first";
    testing_support::DrainPosted();
    ASSERT_TRUE(LoginBgFrm::Exists()) << "the login windows load from the loop";
    LoginBgFrm::Instance().Unload();
    EXPECT_FALSE(LoadFrm::Exists()) << "the splash goes with the login screen";
    testing_support::DrainPosted();
    EXPECT_TRUE(testing_support::TakeQuitRequest()) << "no window is left: the program ends";
    EXPECT_FALSE(IsWindow(window));
}

// An earlier update the client cannot settle (here a newer updater's
// journal): the client says so and offers the updater, and leaves the
// journal alone.
TEST_F(LoadFrmTest, AnUnsettledUpdateIsOfferedToTheUpdater) {
    const std::wstring journal = forms::Application::Path() + L"\\update.tavrin-journal";
    const std::wstring text = L"tavrin-journal 2\n";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    testing_support::WriteFileBytes(journal, {bytes, bytes + text.size() * sizeof(wchar_t)});
    testing_support::RecordedLaunches launches;
    dialogs.answers = {forms::MsgAnswer::No};
    EXPECT_TRUE(LoadFrm::Instance().IsLoaded()) << "declined: the client goes on";
    EXPECT_TRUE(launches.requests.empty());
    LoadFrm::Instance().Unload();
    testing_support::DrainPosted();
    dialogs.answers = {forms::MsgAnswer::Yes};
    LoadFrm::Instance();
    EXPECT_TRUE(forms::Application::Ending()) << "the updater takes over";
    forms::Application::CancelEnd();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              L"上次更新未能完成，部分游戏文件尚未恢复。是否现在运行更新程序进行修复？");
    ASSERT_EQ(launches.requests.size(), 1u);
    EXPECT_EQ(launches.requests[0].file, forms::GetTempDir() + L"Update.exe");
    EXPECT_EQ(testing_support::ReadFileBytes(journal),
              std::vector<unsigned char>(bytes, bytes + text.size() * sizeof(wchar_t)));
    DeleteFileW(journal.c_str());
}

TEST(LoadPngResource, DecodesBothPicturesAndGivesAnEmptyPictureForAMissingOne) {
    const forms::PngResource login = forms::LoadPngResource(IDR_PNG_LOGIN, L"PNG");
    EXPECT_EQ(login.Width(), 1237u);
    EXPECT_EQ(login.Height(), 696u);
    const forms::PngResource splash = forms::LoadPngResource(IDR_PNG_SPLASH, L"PNG");
    EXPECT_EQ(splash.Width(), 356u);
    EXPECT_EQ(splash.Height(), 122u);
    const forms::PngResource missing = forms::LoadPngResource(999, L"PNG");
    EXPECT_EQ(missing.Image(), nullptr);
    EXPECT_EQ(missing.Width(), 0u);
}

TEST(LayeredPicture, TakingAnotherSurfaceOrPictureLetsTheOldOneGoWhole) {
    forms::PngResource png = forms::LoadPngResource(IDR_PNG_LOGIN, L"PNG");
    png = forms::LoadPngResource(IDR_PNG_SPLASH, L"PNG");
    ASSERT_EQ(png.Width(), 356u) << "the new picture, readable after the old one went";
    HWND window = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    forms::LayeredPicture surface = forms::ShowLayeredPng(window, png);
    surface = forms::ShowLayeredPng(window, png);
    EXPECT_EQ(Alpha(surface.PixelAt(178, 61)), 255u);
    forms::LayeredPicture moved;
    moved = std::move(surface);
    EXPECT_EQ(Alpha(moved.PixelAt(178, 61)), 255u);
    EXPECT_EQ(surface.Width(), 0) << "nothing left behind to release twice";
    moved.ReleaseGraphics();
    DestroyWindow(window);
}

} // namespace

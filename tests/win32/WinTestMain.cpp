#include "forms/Application.h"
#include "forms/DialogKeys.h"
#include "forms/Gdiplus.h"
#include "forms/OleSession.h"
#include "forms/Picture.h"
#include "resources/Artwork.h"
#include "tests/win32/TestWindows.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A quit request an earlier test left unread is not the next test's.
class ForgetQuitRequests final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& /*test*/) override {
        testing_support::TakeQuitRequest();
    }
    void OnTestEnd(const testing::TestInfo& /*test*/) override { testing_support::Held().Clear(); }
};

} // namespace

// The tests run at the DPI of the prefix's screen, as the programs do.
int main(int argc, char** argv) {
    const forms::GdiplusSession gdiplus;
    forms::Application::Start();
    forms::InstallArtwork(&resources::Artwork());
    // The client's loops take the dialog keys.
    forms::Application::FilterKeysWith(&forms::TranslateDialogKey);
    const forms::OleSession ole;
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetQuitRequests);
    return RUN_ALL_TESTS();
}

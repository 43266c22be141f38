#include "forms/Application.h"
#include "forms/SingleForm.h"
#include "tests/win32/FakeDesktop.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::DrainPosted;
using testing_support::TakeQuitRequest;

std::vector<std::string> steps;
bool cancelClose = false;
bool throwOnLoad = false;
bool throwOnUnload = false;
bool unloadInsideQuestion = false;

constexpr UINT kUnloadYourself = WM_APP + 1;

forms::FormDesign ProbeDesign() {
    forms::FormDesign design;
    design.caption = L"Probe";
    design.clientWidthTwips = 4500;  // 300 pixels
    design.clientHeightTwips = 3000; // 200 pixels
    design.centerScreen = true;
    return design;
}

class ProbeFrm : public forms::SingleForm<ProbeFrm> {
public:
    ProbeFrm() : SingleForm(ProbeDesign()) {}
    ~ProbeFrm() override { steps.push_back("destroyed"); }

protected:
    void OnInitialize() override { steps.push_back("initialize"); }
    void OnLoad() override {
        steps.push_back(hWnd() != nullptr ? "load with window" : "load");
        if (throwOnLoad) {
            throw std::runtime_error("load");
        }
    }
    void OnResize() override { steps.push_back("resize"); }
    void OnQueryUnload(bool& cancel) override {
        steps.push_back("query unload");
        cancel = cancelClose;
        if (std::exchange(unloadInsideQuestion, false)) {
            Unload(); // as a session end inside the question's own loop would
        }
    }
    void OnUnload() override {
        steps.push_back("unload");
        if (throwOnUnload) {
            throw std::runtime_error("unload");
        }
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kUnloadYourself) {
            Unload();
            steps.push_back("handler returned");
            return 7;
        }
        return SingleForm::HandleMessage(message, wParam, lParam);
    }
};

class OwnerFrm : public forms::SingleForm<OwnerFrm> {
public:
    OwnerFrm() : SingleForm(ProbeDesign()) {}
};

BOOL ownerEnabledDuringModal = TRUE;

// Closes the modal form from inside its loop, as a dialog button would.
void CALLBACK CloseFromInsideTheModalLoop(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    ownerEnabledDuringModal = IsWindowEnabled(OwnerFrm::Instance().hWnd());
    PostMessageW(window, WM_CLOSE, 0, 0);
}

class FormTest : public testing::Test {
protected:
    void SetUp() override {
        steps.clear();
        cancelClose = throwOnLoad = throwOnUnload = unloadInsideQuestion = false;
    }
    void TearDown() override {
        cancelClose = throwOnLoad = throwOnUnload = false;
        if (ProbeFrm::Exists()) {
            ProbeFrm::Instance().Unload();
        }
        if (OwnerFrm::Exists()) {
            OwnerFrm::Instance().Unload();
        }
        DrainPosted();
    }
};

TEST_F(FormTest, FirstReferenceInitialisesCreatesAndLoadsHidden) {
    ProbeFrm& form = ProbeFrm::Instance();
    EXPECT_EQ(steps, (std::vector<std::string>{"initialize", "load with window"}));
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(&ProbeFrm::Instance(), &form);
    EXPECT_EQ(steps.size(), 2u) << "a second reference must not load again";

    form.Show();
    DrainPosted();
    EXPECT_TRUE(form.Visible());
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.back(), "resize");
}

TEST_F(FormTest, DesignSizeIsTheClientAreaInTwipsAndCentredOnThePointersMonitor) {
    ProbeFrm& form = ProbeFrm::Instance();
    EXPECT_EQ(form.ScaleWidth(), 4500);
    EXPECT_EQ(form.ScaleHeight(), 3000);
    RECT r{};
    GetWindowRect(form.hWnd(), &r);
    const int centreX = (r.left + r.right) / 2;
    const int centreY = (r.top + r.bottom) / 2;
    EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    form.Unload();

    // The splash and the updater open where the pointer is.
    FakeDesktop desktop({0, 0, 1280, 984});
    desktop.pointerOnLeft = true;
    GetWindowRect(ProbeFrm::Instance().hWnd(), &r);
    const forms::Rect left = FakeDesktop::kLeftWork;
    EXPECT_NEAR((r.left + r.right) / 2, (left.left + left.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (left.top + left.bottom) / 2, 1);
}

TEST_F(FormTest, MoveAndGeometryAreInTwips) {
    ProbeFrm& form = ProbeFrm::Instance();
    form.Move(1500, 750, 6000, 4500);
    RECT r{};
    GetWindowRect(form.hWnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(form.Left(), 1500);
    EXPECT_EQ(form.Top(), 750);
    EXPECT_EQ(form.Width(), 6000);
    EXPECT_EQ(form.Height(), 4500);
}

TEST_F(FormTest, CancelledCloseRequestKeepsTheWindow) {
    ProbeFrm& form = ProbeFrm::Instance();
    HWND window = form.hWnd();
    cancelClose = true;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(ProbeFrm::Exists());
    EXPECT_EQ(steps.back(), "query unload");
}

TEST_F(FormTest, UnloadDestroysTheInstanceAndTheNextReferenceStartsAgain) {
    ProbeFrm& form = ProbeFrm::Instance();
    HWND window = form.hWnd();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(ProbeFrm::Exists());
    DrainPosted();
    EXPECT_FALSE(IsWindow(window)) << "destroyed from the loop";
    EXPECT_EQ(steps, (std::vector<std::string>{"initialize", "load with window", "query unload",
                                               "unload", "destroyed"}));
    steps.clear();
    ProbeFrm::Instance();
    EXPECT_EQ(steps, (std::vector<std::string>{"initialize", "load with window"}));
}

TEST_F(FormTest, UnloadIfLoadedCreatesNothingAndUnloadsWhatIsThere) {
    ASSERT_FALSE(ProbeFrm::Exists());
    ProbeFrm::UnloadIfLoaded();
    EXPECT_TRUE(steps.empty()) << "an absent window is not initialised";
    EXPECT_FALSE(ProbeFrm::Exists());

    const HWND window = ProbeFrm::Instance().hWnd();
    steps.clear();
    ProbeFrm::UnloadIfLoaded();
    DrainPosted();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(ProbeFrm::Exists());
    EXPECT_EQ(steps, (std::vector<std::string>{"query unload", "unload", "destroyed"}));
}

TEST_F(FormTest, UnloadFromItsOwnHandlerDeletesOnlyBackInTheMessageLoop) {
    HWND window = ProbeFrm::Instance().hWnd();
    const LRESULT result = SendMessageW(window, kUnloadYourself, 0, 0);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(steps.back(), "handler returned");
    EXPECT_FALSE(ProbeFrm::Exists());
    DrainPosted();
    EXPECT_EQ(steps, (std::vector<std::string>{"initialize", "load with window", "query unload",
                                               "unload", "handler returned", "destroyed"}));
}

TEST_F(FormTest, TheProgramEndsWhenTheLastWindowUnloads) {
    ProbeFrm::Instance();
    OwnerFrm::Instance();
    DrainPosted();
    ProbeFrm::Instance().Unload();
    DrainPosted();
    EXPECT_FALSE(TakeQuitRequest()) << "another window is still loaded";
    OwnerFrm::Instance().Unload();
    EXPECT_TRUE(forms::Application::LoadedForms().empty());
    DrainPosted();
    EXPECT_TRUE(TakeQuitRequest());
}

TEST_F(FormTest, AStepThatThrowsLeavesTheFormUnloadedAndGone) {
    throwOnLoad = true;
    EXPECT_THROW(ProbeFrm::Instance(), std::runtime_error);
    EXPECT_FALSE(ProbeFrm::Exists());
    EXPECT_TRUE(forms::Application::LoadedForms().empty());
    throwOnLoad = false;

    HWND window = ProbeFrm::Instance().hWnd();
    throwOnUnload = true;
    EXPECT_THROW(ProbeFrm::Instance().Unload(), std::runtime_error);
    EXPECT_FALSE(ProbeFrm::Exists());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(forms::Application::LoadedForms().empty());
    DrainPosted();
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "destroyed"), 2);
}

TEST_F(FormTest, AnUnloadInsideTheCloseQuestionRunsTheUnloadStepOnce) {
    HWND window = ProbeFrm::Instance().hWnd();
    unloadInsideQuestion = true;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(ProbeFrm::Exists());
    DrainPosted();
    EXPECT_EQ(steps, (std::vector<std::string>{"initialize", "load with window", "query unload",
                                               "query unload", "unload", "destroyed"}));
}

TEST_F(FormTest, ModalShowingDisablesTheOwnerUntilTheFormUnloads) {
    OwnerFrm& owner = OwnerFrm::Instance();
    owner.Show();
    ProbeFrm& probe = ProbeFrm::Instance();
    HWND ownerWindow = owner.hWnd();
    ownerEnabledDuringModal = TRUE;
    SetTimer(probe.hWnd(), 1, 10, CloseFromInsideTheModalLoop);
    probe.RunModalLoop(&owner);
    EXPECT_FALSE(ownerEnabledDuringModal);
    EXPECT_FALSE(ProbeFrm::Exists());
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
    EXPECT_EQ(steps.back(), "unload") << "freed inside the loop that still used it";
    DrainPosted();
    EXPECT_EQ(steps.back(), "destroyed");
}

TEST_F(FormTest, ShowModalGoesThroughTheDialogHost) {
    testing_support::ScriptedDialogs dialogs;
    ProbeFrm& probe = ProbeFrm::Instance();
    probe.ShowModal(nullptr);
    ASSERT_EQ(dialogs.modalForms.size(), 1u);
    EXPECT_EQ(dialogs.modalForms[0], &probe);
}

} // namespace

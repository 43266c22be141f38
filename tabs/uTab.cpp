#include "tabs/uTab.h"

#include "forms/core/Units.h"
#include "tabs/mdlTabAPI.h"

#include <utility>

namespace {

float Pixels(float twips) {
    return twips / static_cast<float>(forms::TwipsPerPixel());
}

} // namespace

// A DC of its own: every hover change copies to the screen, and asking the
// system for a common DC each time costs more than the copy.
const forms::WindowBase::WindowClass uTab::kStripClass = {
    L"TavrinTabStrip", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), CS_DBLCLKS | CS_OWNDC};

uTab::uTab() : UserControl(kStripClass) {
    items_.AttachTab(*this);
    connections_ += subclass_.WindowProc.Connect(
        [this](bool, bool& handled, LRESULT& result, HWND window, UINT message, WPARAM, LPARAM,
               LONG_PTR&) { OnHookedMessage(handled, result, window, message); });
}

uTab::~uTab() {
    subclass_.ssc_Terminate();
}

void uTab::LockReDraw(bool bLock) {
    redrawEnabled_ = !bLock;
    if (redrawEnabled_) {
        CalcTabWidth();
        LayoutTabs();
        DrawAll(true);
    }
}

void uTab::SethContainerWnd(HWND container) {
    container_ = container;
    subclass_.ssc_Subclass(container, 0, 1, true, nullptr, false);
    subclass_.ssc_AddMsg(container, WM_SIZE, CSubclass::WHEN_AFTER);
}

bool uTab::RefreshPage() {
    const std::shared_ptr<CTabItem> item = items_.Item(selected_);
    if (!item || item->Form() == nullptr) {
        return false;
    }
    item->Form()->RefreshPage();
    return true;
}

// ---- IuTab --------------------------------------------------------------

void uTab::Add(const std::wstring&, ITabForm& Form, const std::optional<std::wstring>&,
               const std::optional<TabIndex>&) {
    AttachPage(reinterpret_cast<HWND>(Form.hWnd()));
    if (selected_ > items_.Count() || selected_ < 0) {
        selected_ = 0;
    }
    CalcTabWidth();
    LayoutTabs();
    DrawTabs(true);
}

bool uTab::BeforeRemove(int Index) {
    bool cancel = false;
    OnItemColose(Index, cancel);
    return !cancel;
}

void uTab::Remove(int Index) {
    CalcTabWidth();
    LayoutTabs();
    if (Index == selected_) {
        selected_ = 0;
    } else if (selected_ > Index) {
        --selected_;
    }
    ShowSelectedPage();
    DrawTabs(true);
}

void uTab::Clear() {
    CalcTabWidth();
    selected_ = 0;
    DrawTabs(true);
}

void uTab::Redraw(bool) {
    DrawAll(true);
}

void uTab::ChangeForm(CTabItem&, ITabForm& Form) {
    AttachPage(reinterpret_cast<HWND>(Form.hWnd()));
    ShowSelectedPage();
}

void uTab::SetSelected(int value) {
    if (value < 0) {
        selected_ = -1;
    } else if (value > items_.Count() - 1) {
        return;
    } else {
        selected_ = value;
        ShowSelectedPage();
    }
    DrawAll(true);
}

WindowHandle uTab::hWnd() const {
    return reinterpret_cast<WindowHandle>(UserControl::hWnd());
}

WindowHandle uTab::hParent() const {
    return reinterpret_cast<WindowHandle>(GetAncestor(UserControl::hWnd(), GA_ROOT));
}

// ---- stored settings ----------------------------------------------------

void uTab::ReadProperties(const forms::PropertyBag& bag) {
    tabStyle_ = bag.Read<std::int32_t>("TabStyle", tabStyle_);
    leftSize_ = bag.Read<std::int32_t>("TabLeftSize", leftSize_);
    rightSize_ = bag.Read<std::int32_t>("TabRightSize", rightSize_);
    subclass_.ssc_Subclass(UserControl::hWnd(), 0, 1, true, nullptr, false);
    subclass_.ssc_AddMsg(UserControl::hWnd(), CSubclass::ALL_MESSAGES, CSubclass::WHEN_BEFORE);
}

void uTab::WriteProperties(forms::PropertyBag& bag) const {
    bag.Write<std::int32_t>("TabStyle", tabStyle_);
    bag.Write<std::int32_t>("TabLeftSize", leftSize_);
    bag.Write<std::int32_t>("TabRightSize", rightSize_);
}

// ---- messages and mouse -------------------------------------------------

void uTab::OnHookedMessage(bool& handled, LRESULT& result, HWND window, UINT message) {
    if (window == container_) {
        if (message == WM_SIZE) {
            ShowSelectedPage();
        }
        return;
    }
    switch (message) {
    case WM_ERASEBKGND:
        handled = true;
        result = 0;
        break;
    case WM_PAINT: {
        forms::PaintDc dc(window);
        if (OutDC() != nullptr) {
            BitBlt(dc.get(), 0, 0, ControlWidth(), StripHeight(), OutDC(), 0, 0, SRCCOPY);
        }
        handled = true;
        result = 0;
        break;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (hoverIndex_ != -1) {
            const int left = std::exchange(hoverIndex_, -1);
            RedrawTabs(left, left);
        }
        OnMouseLeave();
        break;
    default:
        break;
    }
}

TabLayout::Hit uTab::HitTest(double x, double y) const {
    return TabLayout::HitTest(tabStyle_, x, y, ControlWidth(), LeftMargin(), RightMargin(),
                              Geometry());
}

void uTab::HandleMouseDown(int button, int shift, float x, float y) {
    Press(button, shift, Pixels(x), Pixels(y));
}

void uTab::Press(int button, int shift, float x, float y) {
    lastButton_ = button;
    lastShift_ = shift;
    lastX_ = x;
    lastY_ = y;
    long p = 0;
    if (button == forms::kLeftButton) {
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        if (p >= 0 && p < items_.Count()) {
            if (p != selected_ && !hit.close) {
                selected_ = static_cast<int>(p);
                ShowSelectedPage();
                DrawTabs(true);
            } else if (hit.close && closeState_ != 2) {
                closeState_ = 2;
                DrawTabs(true);
            }
            TabChanged();
        }
    }
    OnMouseDown(p, button, shift, x, y);
}

void uTab::HandleMouseMove(int button, int shift, float twipsX, float twipsY) {
    float x = Pixels(twipsX);
    float y = Pixels(twipsY);
    long p = 0;
    if (button == 0) {
        if (!tracking_) {
            subclass_.TrackMouseTracking(UserControl::hWnd());
            tracking_ = true;
        }
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        const int hot = hit.close ? 1 : 0;
        if (p != hoverIndex_ || hot != closeState_) {
            if (p != hoverIndex_) {
                OnMouseHover(p, button, shift, x, y);
            }
            closeState_ = hot;
            const int before = std::exchange(hoverIndex_, static_cast<int>(p));
            RedrawTabs(before, hoverIndex_);
        }
    }
    OnMouseMove(p, button, shift, x, y);
}

void uTab::HandleMouseUp(int button, int shift, float twipsX, float twipsY) {
    float x = Pixels(twipsX);
    float y = Pixels(twipsY);
    long p = 0;
    if (button == forms::kLeftButton) {
        const TabLayout::Hit hit = HitTest(x, y);
        p = hit.index;
        closeState_ = 0;
        if (p >= 0 && p < items_.Count() && p == hoverIndex_ && hit.close) {
            items_.Remove(static_cast<int>(p), true);
        }
        DrawAll(true);
    }
    OnMouseUp(p, button, shift, x, y);
}

void uTab::HandleDblClick() {
    const long p = HitTest(lastX_, lastY_).index;
    int button = lastButton_;
    int shift = lastShift_;
    float x = lastX_;
    float y = lastY_;
    Press(button, shift, x, y);
    OnDblClick(p, button, shift, x, y);
}

void uTab::HandleResize() {
    const int height = forms::PixelsToTwips(StripHeight());
    if (forms::TwipsToPixels(Height()) != StripHeight()) {
        SetSize(Width(), height);
        return; // the resize that follows does the rest
    }
    // A strip narrower than its margins has no tab area to draw, which the
    // drawing steps check for themselves.
    CreateBuffers();
    CalcTabWidth();
    LayoutTabs();
    DrawAll(true);
}

// ---- page hosting -------------------------------------------------------

void uTab::AttachPage(HWND page) {
    RECT client{};
    GetClientRect(container_, &client);
    SetParent(page, container_);
    mdlTabAPI::SetWindowStyleBits(page, GWL_STYLE, WS_CAPTION | WS_THICKFRAME, WS_CHILD,
                                  SWP_FRAMECHANGED);
    SetWindowPos(page, nullptr, 0, 0, client.right, client.bottom,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
}

void uTab::ShowSelectedPage() {
    if (selected_ < 0 || selected_ >= items_.Count() || container_ == nullptr) {
        return;
    }
    const std::shared_ptr<CTabItem> item = items_.Item(selected_);
    if (item->Form() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(container_, &client);
    SetWindowPos(reinterpret_cast<HWND>(item->Form()->hWnd()), HWND_TOP, 0, 0, client.right,
                 client.bottom, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

int uTab::ControlWidth() const {
    return forms::TwipsToPixels(Width());
}

std::vector<TabLayout::Tab> uTab::Geometry() const {
    std::vector<TabLayout::Tab> tabs;
    for (int p = 0; p < items_.Count(); ++p) {
        const std::shared_ptr<CTabItem> item = items_.Item(p);
        tabs.push_back(
            {item->LockSize(), item->HideButton(), item->Left(), item->Width(), p == selected_});
    }
    return tabs;
}

TabScene uTab::Scene() const {
    TabScene scene;
    scene.style = tabStyle_;
    scene.controlWidth = ControlWidth();
    scene.leftSize = LeftMargin();
    scene.rightSize = RightMargin();
    scene.selected = selected_;
    scene.hoverIndex = hoverIndex_;
    scene.closeState = closeState_;
    for (int p = 0; p < items_.Count(); ++p) {
        const std::shared_ptr<CTabItem> item = items_.Item(p);
        scene.tabs.push_back({item->Caption(), item->Left(), item->Width(), item->HideButton()});
    }
    return scene;
}

// ---- painting -----------------------------------------------------------

bool uTab::CreateBuffers() {
    return painter_.CreateBuffers(ControlWidth(), AreaWidth(), StripHeight());
}

void uTab::CalcTabWidth() {
    if (redrawEnabled_) {
        tabWidth_ = TabLayout::CalcTabWidth(tabStyle_, AreaWidth(), Geometry());
    }
}

void uTab::LayoutTabs() {
    if (!redrawEnabled_) {
        return;
    }
    std::vector<TabLayout::Tab> tabs = Geometry();
    TabLayout::LayoutTabs(tabStyle_, tabWidth_, tabs);
    for (int p = 0; p < items_.Count(); ++p) {
        const std::shared_ptr<CTabItem> item = items_.Item(p);
        item->SetLeft(tabs[static_cast<std::size_t>(p)].left);
        item->SetWidth(tabs[static_cast<std::size_t>(p)].width);
    }
}

void uTab::DrawAll(bool bUpdate) {
    if (!redrawEnabled_) {
        return;
    }
    DrawBackground();
    DrawTabs(bUpdate);
}

void uTab::DrawBackground() {
    if (!redrawEnabled_ || painter_.BackDC() == nullptr) {
        return;
    }
    bool skipDefault = false;
    OnDrawBackground(painter_.BackDC(), ControlWidth(), StripHeight(), skipDefault);
    if (!skipDefault) {
        painter_.DrawBackground(tabStyle_, ControlWidth());
    }
}

// A hover change touches two tabs: only they (and what overlaps them) are
// drawn again and copied to the screen, in one copy.
void uTab::RedrawTabs(int first, int second) {
    if (!redrawEnabled_ || !painter_.HasBuffers()) {
        return;
    }
    const auto [from, to] = painter_.RedrawTabs(Scene(), first, second);
    if (from < to) {
        const forms::WindowDc own(UserControl::hWnd());
        BitBlt(own.get(), from, 0, to - from, StripHeight(), OutDC(), from, 0, SRCCOPY);
    }
}

void uTab::DrawTabs(bool bUpdate) {
    if (!redrawEnabled_ || !painter_.HasBuffers()) {
        return;
    }
    painter_.DrawTabs(Scene());
    if (bUpdate) {
        forms::WindowDc own(UserControl::hWnd());
        BitBlt(own.get(), 0, 0, ControlWidth(), StripHeight(), OutDC(), 0, 0, SRCCOPY);
    }
}

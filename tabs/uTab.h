#pragma once

#include "forms/UserControl.h"
#include "forms/core/Event.h"
#include "forms/core/Units.h"
#include "msghook/CSubclass.h"
#include "tabs/SystemPageWindows.h"
#include "tabs/TabPainter.h"
#include "tabs/core/CTabItems.h"
#include "tabs/core/IuTab.h"
#include "tabs/core/TabLayout.h"

#include <windows.h>

#include <vector>

// The tab strip: one row of tabs, each standing for a page window that the
// strip hosts in a container window of its owner's.
class uTab final : public forms::UserControl, public IuTab {
public:
    uTab();
    ~uTab() override;

    void refresh() { DrawAll(true); }
    void LockReDraw(bool bLock);
    HWND hContainerWnd() const { return container_; }
    void SethContainerWnd(HWND container);
    long TabStyle() const { return tabStyle_; }
    void SetTabStyle(long style) { tabStyle_ = style; }
    int TabLeftSize() const { return leftSize_; }
    void SetTabLeftSize(int size) { leftSize_ = size; }
    int TabRightSize() const { return rightSize_; }
    void SetTabRight(int size) { rightSize_ = size; } // sets TabRightSize
    int TabWidth() const { return tabWidth_; }
    int HoverIndex() const { return hoverIndex_; }
    int CloseState() const { return closeState_; }
    // Reloads the selected tab's page; false when no tab is selected.
    bool RefreshPage();
    // The finished strip, as WM_PAINT copies it.
    HDC OutDC() const { return painter_.OutDC(); }
    TabLayout::Hit HitTest(double x, double y) const;

    // IuTab
    void Add(const std::wstring& Caption, ITabForm& Form, const std::optional<std::wstring>& Key,
             const std::optional<TabIndex>& Index) override;
    bool BeforeRemove(int Index) override;
    void Remove(int Index) override;
    void Clear() override;
    void Redraw(bool bUpdate) override;
    void ChangeForm(CTabItem& Item, ITabForm& Form) override;
    int Selected() const override { return selected_; }
    void SetSelected(int value) override;
    CTabItems& TabItems() override { return items_; }
    WindowHandle hWnd() const override;
    WindowHandle hParent() const override;
    uTab* Control() override { return this; }

    void ReadProperties(const forms::PropertyBag& bag);
    void WriteProperties(forms::PropertyBag& bag) const;

    forms::Event<> TabChanged;
    forms::Event<long, int&, int&, float&, float&> OnDblClick; // ItemIndex, Button, Shift, X, Y
    forms::Event<long, int&, int&, float&, float&> OnMouseDown;
    forms::Event<long, int&, int&, float&, float&> OnMouseHover;
    forms::Event<long, int&, int&, float&, float&> OnMouseMove;
    forms::Event<long, int&, int&, float&, float&> OnMouseUp;
    forms::Event<> OnMouseLeave;
    // A tab's close button: ItemIndex, Cancel.
    forms::Event<long, bool&> OnItemColose;
    forms::Event<HDC, long, long, bool&> OnDrawBackground; // hdc, cx, cy, bSkipDefault

private:
    static const WindowClass kStripClass;

    void HandleResize() override;
    void HandleMouseDown(int button, int shift, float x, float y) override;
    void HandleMouseMove(int button, int shift, float x, float y) override;
    void HandleMouseUp(int button, int shift, float x, float y) override;
    void HandleDblClick() override;

    void OnHookedMessage(bool& handled, LRESULT& result, HWND window, UINT message);
    void Press(int button, int shift, float x, float y);
    void AttachPage(HWND page);
    void ShowSelectedPage();
    int StripHeight() const { return TabLayout::StyleOf(tabStyle_).height; }
    int ControlWidth() const;
    // The margins are set in design pixels.
    int LeftMargin() const { return forms::ScaleDesignPixels(leftSize_); }
    int RightMargin() const { return forms::ScaleDesignPixels(rightSize_); }
    int AreaWidth() const { return ControlWidth() - LeftMargin() - RightMargin(); }
    std::vector<TabLayout::Tab> Geometry() const;
    TabScene Scene() const;

    // Painting, through the painter
    bool CreateBuffers();
    void CalcTabWidth();
    void LayoutTabs();
    void DrawAll(bool bUpdate);
    void DrawBackground();
    void DrawTabs(bool bUpdate);
    void RedrawTabs(int first, int second);

    SystemPageWindows windows_;
    CTabItems items_{windows_};
    CSubclass subclass_;
    long tabStyle_ = 0;
    int leftSize_ = 40;
    int rightSize_ = 0;
    int selected_ = -1;
    int hoverIndex_ = -1;
    int closeState_ = 0;
    bool tracking_ = false; // the pointer's leaving is asked for
    bool redrawEnabled_ = false;
    HWND container_ = nullptr;
    int tabWidth_ = 108;
    TabPainter painter_;
    int lastButton_ = 0;
    int lastShift_ = 0;
    float lastX_ = 0;
    float lastY_ = 0;

    friend class TabStripProbe; // tests and the benchmark
    // Last: disconnected before any member they reach goes.
    forms::Connections connections_;
};

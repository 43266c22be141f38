#pragma once

#include "tabs/uTab.h"
#include "tests/win32/TestWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A strip on a test form, with a container for its pages; shared by the
// tab strip's behaviour and painting tests.
namespace tab_strip_test {

// A plain page window standing in for a web page.
class TestPage final : public ITabForm {
public:
    TestPage() {
        window_ = CreateWindowExW(0, L"STATIC", L"page", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestPage() override { Unload(); }
    WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(window_); }
    HWND Window() const { return window_; }
    void Initialize(IuTab*, CTabItem*) override {}
    void RefreshPage() override { ++refreshes; }
    void Unload() override {
        if (IsWindow(window_)) {
            DestroyWindow(window_);
        }
    }
    int refreshes = 0;

private:
    HWND window_ = nullptr;
};

class TabStripTest : public testing::Test {
protected:
    void SetUp() override {
        form = testing_support::CreatePlainWindow(0, 0, 700, 400);
        ShowWindow(form, SW_SHOWNOACTIVATE);
        container = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 40, 700, 300, form,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        strip = std::make_unique<uTab>();
        strip->Create(form, 0, 0, 640 * 15, 32 * 15);
        forms::PropertyBag bag;
        bag.Write<std::int32_t>("TabStyle", style);
        bag.Write<std::int32_t>("TabLeftSize", 40);
        bag.Write<std::int32_t>("TabRightSize", 20);
        strip->ReadProperties(bag);
        strip->Move(0, 0, 640 * 15, 32 * 15);
        strip->SethContainerWnd(container);
        strip->LockReDraw(false);
    }
    void TearDown() override {
        strip.reset();
        DestroyWindow(form);
        testing_support::DrainPosted();
    }
    std::shared_ptr<TestPage> AddPage(const std::wstring& caption) {
        auto page = std::make_shared<TestPage>();
        pages.push_back(page);
        strip->TabItems().Add(caption, page);
        return page;
    }
    void Send(UINT message, WPARAM keys, int x, int y) {
        SendMessageW(reinterpret_cast<HWND>(strip->hWnd()), message, keys, MAKELPARAM(x, y));
    }
    COLORREF Out(int x, int y) const { return GetPixel(strip->OutDC(), x, y); }
    COLORREF Skin(WORD id, int x, int y) const {
        forms::PicturePtr skin = forms::Picture::FromResource(id);
        forms::MemoryDc dc(CreateCompatibleDC(nullptr));
        forms::SelectedObject selection(dc.get(), skin->Bitmap());
        return GetPixel(dc.get(), x, y);
    }
    // The middle of tab p in the strip's pixels.
    int Middle(int p) const {
        const auto item = strip->TabItems().Item(p);
        return 40 + item->Left() + item->Width() / 2;
    }

    long style = 0;
    HWND form = nullptr;
    HWND container = nullptr;
    std::unique_ptr<uTab> strip;
    std::vector<std::shared_ptr<TestPage>> pages;
};

} // namespace tab_strip_test

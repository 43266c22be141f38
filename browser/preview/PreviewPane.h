#pragma once

#include "browser/core/PageScan.h"
#include "forms/WindowBase.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace browser {

// One document of the preview engine on a plain white surface: its title
// as text, each link as a push button, each frame as a bordered pane of
// its own below them.
class PreviewPane final : public forms::WindowBase {
public:
    using LinkClicked = std::function<void(PreviewPane& pane, const PageLink& link)>;

    PreviewPane(HWND parent, int depth, LinkClicked clicked);
    ~PreviewPane() override;

    HWND Window() const { return hWnd(); }
    int Depth() const { return depth_; }
    const std::wstring& Url() const { return url_; }
    const std::wstring& Title() const { return page_.title; }
    std::size_t RootInnerHtmlLength() const { return page_.rootInnerHtmlLength; }
    // The frames of the document shown, each still empty, and their addresses.
    std::size_t FrameCount() const { return frames_.size(); }
    PreviewPane& Frame(std::size_t index) { return *frames_[index]; }
    std::wstring FrameUrl(std::size_t index) const;

    // Replaces what the pane shows with the page found at url.
    void Show(const std::wstring& url, PageScan page);
    // Places everything for this width; the height the content needs.
    int Layout(int width);

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM wParam);
    HWND AddChild(const wchar_t* type, const std::wstring& text, DWORD style, int id);
    SIZE ButtonSize(const std::wstring& caption) const;

    int depth_;
    LinkClicked clicked_;
    std::wstring url_;
    PageScan page_;
    HWND title_ = nullptr;
    std::vector<HWND> buttons_;
    std::vector<std::unique_ptr<PreviewPane>> frames_;
};

} // namespace browser

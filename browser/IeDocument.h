#pragma once

#include "browser/core/NavigationPolicy.h"
#include "forms/ComPtr.h"

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>

namespace browser {

// One browser of the platform's control, top or frame, read by name through
// IDispatch (LocationURL, Document, document.frames), so that it can be read
// across sites: a frame's own browser comes from its window's service
// provider (SID_SWebBrowserApp), which no cross-site rule closes.
class IeDocument final : public DocumentNode {
public:
    explicit IeDocument(forms::ComPtr<IDispatch> browser) : browser_(std::move(browser)) {}
    // The browser behind any of its interfaces; null without one.
    static std::unique_ptr<IeDocument> Of(IUnknown* browser);

    std::wstring Address() const override;
    std::size_t FrameCount() const override;
    std::unique_ptr<DocumentNode> Frame(std::size_t index) const override;

private:
    forms::ComPtr<IDispatch> Frames() const;

    forms::ComPtr<IDispatch> browser_;
};

} // namespace browser

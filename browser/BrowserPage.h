#pragma once

#include "browser/IBrowser.h"
#include "forms/core/Connection.h"

#include <windows.h>

#include <memory>

namespace browser {

// A window's page engine with what every page wires alike: silent once a
// download begins, new windows refused and their addresses, when they are
// for the default browser, sent there. The window connects its own
// handlers through Handlers(); Release disconnects them all before the
// engine goes (later, from the loop, when under its own event).
class BrowserPage {
public:
    BrowserPage() = default;
    BrowserPage(const BrowserPage&) = delete;
    BrowserPage& operator=(const BrowserPage&) = delete;
    ~BrowserPage() { Release(); }

    // Makes the engine in container; false when none could be made.
    bool Open(HWND container);
    void Release();

    IBrowser* get() const { return browser_.get(); }
    IBrowser* operator->() const { return browser_.get(); }
    explicit operator bool() const { return browser_ != nullptr; }
    forms::Connections& Handlers() { return connections_; }

private:
    std::unique_ptr<IBrowser> browser_;
    forms::Connections connections_;
};

} // namespace browser

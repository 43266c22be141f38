// Every method the engine's WebView2 header declares, called through the
// header on the stand-in, whose tables are laid out by slot independently:
// each call must land on the method of the same name.
#include "browser/webview2/ComHandler.h"
#include "browser/webview2/WebView2Api.h"
#include "forms/ComPtr.h"
#include "tests/win32/TestWindows.h"
#include "tests/win32/webview2/StandInFiles.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wv2;

class WebView2SlotTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(standIn.control, nullptr);
        standIn.control->Reset();
    }
    template <class T> T* Get(const wchar_t* name) {
        return reinterpret_cast<T*>(standIn.control->Object(name));
    }
    // The stand-in's last line: where the call landed.
    static std::wstring Landed() {
        const auto log = testing_support::StandInLog();
        return log.empty() ? L"" : log.back();
    }
    static std::wstring Text(LPWSTR text) {
        std::wstring taken = text != nullptr ? text : L"";
        CoTaskMemFree(text);
        return taken;
    }

    const testing_support::LoadedStandIn& standIn = testing_support::StandInRuntime();
};

template <class Interface, class A, class B> Interface* Handler(const IID& iid) {
    return new browser::ComHandler<Interface, A, B>(iid, nullptr);
}

TEST_F(WebView2SlotTest, EnvironmentAndControllerCallsLandInTheirPublishedSlots) {
    auto* environment = Get<ICoreWebView2Environment>(L"environment");
    forms::ComPtr<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler> done;
    done.Attach(Handler<ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, HRESULT,
                        ICoreWebView2Controller*>(kIidControllerCompleted));
    const HWND parent = testing_support::CreatePlainWindow(0, 0, 100, 100);
    EXPECT_EQ(environment->CreateCoreWebView2Controller(parent, done.get()), S_OK);
    EXPECT_EQ(Landed(), L"Environment.CreateCoreWebView2Controller");
    testing_support::DrainPosted();

    auto* controller = Get<ICoreWebView2Controller>(L"controller");
    controller->put_IsVisible(TRUE);
    EXPECT_EQ(Landed(), L"Controller.put_IsVisible 1");
    controller->put_Bounds({1, 2, 3, 4});
    EXPECT_EQ(Landed(), L"Controller.put_Bounds 1,2,3,4");
    controller->MoveFocus(kMoveFocusNext);
    EXPECT_EQ(Landed(), L"Controller.MoveFocus 1");
    controller->Close();
    EXPECT_EQ(Landed(), L"Controller.Close host-alive");
    ICoreWebView2* webView = nullptr;
    controller->get_CoreWebView2(&webView);
    EXPECT_EQ(Landed(), L"Controller.get_CoreWebView2");
    EXPECT_EQ(reinterpret_cast<IUnknown*>(webView), standIn.control->Object(L"webview"));
    DestroyWindow(parent);
}

TEST_F(WebView2SlotTest, WebViewCallsLandInTheirPublishedSlots) {
    auto* view = Get<ICoreWebView2>(L"webview");
    ICoreWebView2Settings* settings = nullptr;
    view->get_Settings(&settings);
    EXPECT_EQ(Landed(), L"WebView.get_Settings");
    LPWSTR text = nullptr;
    view->get_Source(&text);
    Text(text);
    EXPECT_EQ(Landed(), L"WebView.get_Source");
    view->Navigate(L"http://slot.example/");
    EXPECT_EQ(Landed(), L"WebView.Navigate http://slot.example/");
    view->Reload();
    EXPECT_EQ(Landed(), L"WebView.Reload");
    view->get_DocumentTitle(&text);
    Text(text);
    EXPECT_EQ(Landed(), L"WebView.get_DocumentTitle");
    forms::ComPtr<ICoreWebView2ExecuteScriptCompletedHandler> script;
    script.Attach(Handler<ICoreWebView2ExecuteScriptCompletedHandler, HRESULT, LPCWSTR>(
        kIidExecuteScriptCompleted));
    view->ExecuteScript(L"1", script.get());
    EXPECT_EQ(Landed(), L"WebView.ExecuteScript 1");
    testing_support::DrainPosted();

    // Each event's add and remove, in their published slots.
    using Starting = ICoreWebView2NavigationStartingEventHandler;
    forms::ComPtr<Starting> starting;
    starting.Attach(Handler<Starting, ICoreWebView2*, ICoreWebView2NavigationStartingEventArgs*>(
        kIidNavigationStartingHandler));
    EventRegistrationToken token = {};
    view->add_NavigationStarting(starting.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_NavigationStarting");
    view->remove_NavigationStarting(token);
    EXPECT_EQ(Landed(), L"WebView.remove_NavigationStarting");
    view->add_FrameNavigationStarting(starting.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_FrameNavigationStarting");
    view->remove_FrameNavigationStarting(token);
    EXPECT_EQ(Landed(), L"WebView.remove_FrameNavigationStarting");
    using Completed = ICoreWebView2NavigationCompletedEventHandler;
    forms::ComPtr<Completed> completed;
    completed.Attach(Handler<Completed, ICoreWebView2*, ICoreWebView2NavigationCompletedEventArgs*>(
        kIidNavigationCompletedHandler));
    view->add_NavigationCompleted(completed.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_NavigationCompleted");
    view->remove_NavigationCompleted(token);
    EXPECT_EQ(Landed(), L"WebView.remove_NavigationCompleted");
    using NewWindow = ICoreWebView2NewWindowRequestedEventHandler;
    forms::ComPtr<NewWindow> newWindow;
    newWindow.Attach(Handler<NewWindow, ICoreWebView2*, ICoreWebView2NewWindowRequestedEventArgs*>(
        kIidNewWindowRequestedHandler));
    view->add_NewWindowRequested(newWindow.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_NewWindowRequested");
    view->remove_NewWindowRequested(token);
    EXPECT_EQ(Landed(), L"WebView.remove_NewWindowRequested");
    using Title = ICoreWebView2DocumentTitleChangedEventHandler;
    forms::ComPtr<Title> title;
    title.Attach(Handler<Title, ICoreWebView2*, IUnknown*>(kIidDocumentTitleChangedHandler));
    view->add_DocumentTitleChanged(title.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_DocumentTitleChanged");
    view->remove_DocumentTitleChanged(token);
    EXPECT_EQ(Landed(), L"WebView.remove_DocumentTitleChanged");
    using Close = ICoreWebView2WindowCloseRequestedEventHandler;
    forms::ComPtr<Close> close;
    close.Attach(Handler<Close, ICoreWebView2*, IUnknown*>(kIidWindowCloseRequestedHandler));
    view->add_WindowCloseRequested(close.get(), &token);
    EXPECT_EQ(Landed(), L"WebView.add_WindowCloseRequested");
    view->remove_WindowCloseRequested(token);
    EXPECT_EQ(Landed(), L"WebView.remove_WindowCloseRequested");
}

TEST_F(WebView2SlotTest, SettingsCallsLandInTheirPublishedSlots) {
    auto* settings = Get<ICoreWebView2Settings>(L"settings");
    ICoreWebView2Settings4* settings4 = nullptr;
    ASSERT_EQ(settings->QueryInterface(kIidSettings4, reinterpret_cast<void**>(&settings4)), S_OK);
    const struct {
        HRESULT (STDMETHODCALLTYPE ICoreWebView2Settings4::*put)(BOOL);
        const wchar_t* name;
    } puts[] = {
        {&ICoreWebView2Settings4::put_IsScriptEnabled, L"IsScriptEnabled"},
        {&ICoreWebView2Settings4::put_IsWebMessageEnabled, L"IsWebMessageEnabled"},
        {&ICoreWebView2Settings4::put_AreDefaultScriptDialogsEnabled,
         L"AreDefaultScriptDialogsEnabled"},
        {&ICoreWebView2Settings4::put_IsStatusBarEnabled, L"IsStatusBarEnabled"},
        {&ICoreWebView2Settings4::put_AreDevToolsEnabled, L"AreDevToolsEnabled"},
        {&ICoreWebView2Settings4::put_AreDefaultContextMenusEnabled,
         L"AreDefaultContextMenusEnabled"},
        {&ICoreWebView2Settings4::put_AreHostObjectsAllowed, L"AreHostObjectsAllowed"},
        {&ICoreWebView2Settings4::put_IsZoomControlEnabled, L"IsZoomControlEnabled"},
        {&ICoreWebView2Settings4::put_IsPasswordAutosaveEnabled, L"IsPasswordAutosaveEnabled"},
        {&ICoreWebView2Settings4::put_IsGeneralAutofillEnabled, L"IsGeneralAutofillEnabled"},
    };
    for (const auto& put : puts) {
        (settings4->*put.put)(TRUE);
        EXPECT_EQ(Landed(), std::wstring(L"Settings.put_") + put.name + L" 1");
        (settings4->*put.put)(FALSE);
        EXPECT_EQ(Landed(), std::wstring(L"Settings.put_") + put.name + L" 0");
    }
}

TEST_F(WebView2SlotTest, EventArgumentCallsLandInTheirPublishedSlots) {
    standIn.control->RaiseNavigationStarting(L"http://args.example/", true, false);
    auto* starting = Get<ICoreWebView2NavigationStartingEventArgs>(L"starting");
    LPWSTR uri = nullptr;
    BOOL flag = FALSE;
    starting->get_Uri(&uri);
    EXPECT_EQ(Text(uri), L"http://args.example/");
    EXPECT_EQ(Landed(), L"Starting.get_Uri");
    starting->get_IsUserInitiated(&flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(Landed(), L"Starting.get_IsUserInitiated");
    starting->put_Cancel(TRUE);
    EXPECT_EQ(Landed(), L"Starting.put_Cancel 1");

    standIn.control->RaiseNavigationCompleted(false, 7);
    auto* completed = Get<ICoreWebView2NavigationCompletedEventArgs>(L"completed");
    completed->get_IsSuccess(&flag);
    EXPECT_FALSE(flag);
    EXPECT_EQ(Landed(), L"Completed.get_IsSuccess");
    WebErrorStatus status = kWebErrorUnknown;
    completed->get_WebErrorStatus(&status);
    EXPECT_EQ(status, kWebErrorTimeout);
    EXPECT_EQ(Landed(), L"Completed.get_WebErrorStatus");

    standIn.control->RaiseNewWindowRequested(L"https://example.com/", false);
    auto* newWindow = Get<ICoreWebView2NewWindowRequestedEventArgs>(L"newwindow");
    newWindow->get_Uri(&uri);
    EXPECT_EQ(Text(uri), L"https://example.com/");
    EXPECT_EQ(Landed(), L"NewWindow.get_Uri");
    newWindow->put_Handled(TRUE);
    EXPECT_EQ(Landed(), L"NewWindow.put_Handled 1");
    newWindow->get_IsUserInitiated(&flag);
    EXPECT_FALSE(flag);
    EXPECT_EQ(Landed(), L"NewWindow.get_IsUserInitiated");
}

} // namespace

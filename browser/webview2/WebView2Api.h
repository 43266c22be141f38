#pragma once

// The WebView2 interfaces this engine calls, declared from the published
// Win32 API reference of WebView2 SDK 1.0.1185.39 (no SDK header is used).
// Only what the engine calls is declared with its signature; a slot before
// it that the engine never calls is an opaque Slot_<published name>(),
// present only to keep the published order. Never call one.

#include <windows.h>

#include <unknwn.h>

namespace wv2 {

// Pointer-sized and 8-byte values are passed as the published ones are.
struct EventRegistrationToken {
    __int64 value;
};

enum MoveFocusReason { kMoveFocusProgrammatic = 0, kMoveFocusNext = 1, kMoveFocusPrevious = 2 };

// COREWEBVIEW2_WEB_ERROR_STATUS, as published.
enum WebErrorStatus : int {
    kWebErrorUnknown = 0,
    kWebErrorCertificateCommonNameIsIncorrect = 1,
    kWebErrorCertificateExpired = 2,
    kWebErrorClientCertificateContainsErrors = 3,
    kWebErrorCertificateRevoked = 4,
    kWebErrorCertificateIsInvalid = 5,
    kWebErrorServerUnreachable = 6,
    kWebErrorTimeout = 7,
    kWebErrorHttpInvalidServerResponse = 8,
    kWebErrorConnectionAborted = 9,
    kWebErrorConnectionReset = 10,
    kWebErrorDisconnected = 11,
    kWebErrorCannotConnect = 12,
    kWebErrorHostNameNotResolved = 13,
    kWebErrorOperationCanceled = 14,
    kWebErrorRedirectFailed = 15,
    kWebErrorUnexpectedError = 16,
};

struct ICoreWebView2;
struct ICoreWebView2Controller;
struct ICoreWebView2Environment;
struct ICoreWebView2Settings;
struct ICoreWebView2NavigationStartingEventArgs;
struct ICoreWebView2NavigationCompletedEventArgs;
struct ICoreWebView2NewWindowRequestedEventArgs;

// The completion and event handlers the engine implements: one Invoke each.
struct ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Environment* created) = 0;
};
struct ICoreWebView2CreateCoreWebView2ControllerCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, ICoreWebView2Controller* created) = 0;
};
struct ICoreWebView2NavigationStartingEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NavigationStartingEventArgs* args) = 0;
};
struct ICoreWebView2NavigationCompletedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NavigationCompletedEventArgs* args) = 0;
};
struct ICoreWebView2NewWindowRequestedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender,
                                             ICoreWebView2NewWindowRequestedEventArgs* args) = 0;
};
struct ICoreWebView2DocumentTitleChangedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;
};
struct ICoreWebView2WindowCloseRequestedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(ICoreWebView2* sender, IUnknown* args) = 0;
};
struct ICoreWebView2ExecuteScriptCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(HRESULT result, LPCWSTR resultAsJson) = 0;
};

struct ICoreWebView2Environment : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateCoreWebView2Controller(
        HWND parent, ICoreWebView2CreateCoreWebView2ControllerCompletedHandler* handler) = 0;
};

struct ICoreWebView2Controller : IUnknown {
    virtual void STDMETHODCALLTYPE Slot_get_IsVisible() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsVisible(BOOL visible) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_Bounds() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Bounds(RECT bounds) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_ZoomFactor() = 0;
    virtual void STDMETHODCALLTYPE Slot_put_ZoomFactor() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_ZoomFactorChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_ZoomFactorChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_SetBoundsAndZoomFactor() = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveFocus(MoveFocusReason reason) = 0;
    virtual void STDMETHODCALLTYPE Slot_add_MoveFocusRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_MoveFocusRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_GotFocus() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_GotFocus() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_LostFocus() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_LostFocus() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_AcceleratorKeyPressed() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_AcceleratorKeyPressed() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_ParentWindow() = 0;
    virtual void STDMETHODCALLTYPE Slot_put_ParentWindow() = 0;
    virtual void STDMETHODCALLTYPE Slot_NotifyParentWindowPositionChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CoreWebView2(ICoreWebView2** webView) = 0;
};

struct ICoreWebView2 : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Settings(ICoreWebView2Settings** settings) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Source(LPWSTR* uri) = 0;
    virtual HRESULT STDMETHODCALLTYPE Navigate(LPCWSTR uri) = 0;
    virtual void STDMETHODCALLTYPE Slot_NavigateToString() = 0;
    virtual HRESULT STDMETHODCALLTYPE add_NavigationStarting(
        ICoreWebView2NavigationStartingEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_NavigationStarting(EventRegistrationToken token) = 0;
    virtual void STDMETHODCALLTYPE Slot_add_ContentLoading() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_ContentLoading() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_SourceChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_SourceChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_HistoryChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_HistoryChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE add_NavigationCompleted(
        ICoreWebView2NavigationCompletedEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_NavigationCompleted(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_FrameNavigationStarting(
        ICoreWebView2NavigationStartingEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    remove_FrameNavigationStarting(EventRegistrationToken token) = 0;
    virtual void STDMETHODCALLTYPE Slot_add_FrameNavigationCompleted() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_FrameNavigationCompleted() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_ScriptDialogOpening() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_ScriptDialogOpening() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_PermissionRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_PermissionRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_ProcessFailed() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_ProcessFailed() = 0;
    virtual void STDMETHODCALLTYPE Slot_AddScriptToExecuteOnDocumentCreated() = 0;
    virtual void STDMETHODCALLTYPE Slot_RemoveScriptToExecuteOnDocumentCreated() = 0;
    virtual HRESULT STDMETHODCALLTYPE
    ExecuteScript(LPCWSTR script, ICoreWebView2ExecuteScriptCompletedHandler* handler) = 0;
    virtual void STDMETHODCALLTYPE Slot_CapturePreview() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reload() = 0;
    virtual void STDMETHODCALLTYPE Slot_PostWebMessageAsJson() = 0;
    virtual void STDMETHODCALLTYPE Slot_PostWebMessageAsString() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_WebMessageReceived() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_WebMessageReceived() = 0;
    virtual void STDMETHODCALLTYPE Slot_CallDevToolsProtocolMethod() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_BrowserProcessId() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_CanGoBack() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_CanGoForward() = 0;
    virtual void STDMETHODCALLTYPE Slot_GoBack() = 0;
    virtual void STDMETHODCALLTYPE Slot_GoForward() = 0;
    virtual void STDMETHODCALLTYPE Slot_GetDevToolsProtocolEventReceiver() = 0;
    virtual void STDMETHODCALLTYPE Slot_Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE add_NewWindowRequested(
        ICoreWebView2NewWindowRequestedEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_NewWindowRequested(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_DocumentTitleChanged(
        ICoreWebView2DocumentTitleChangedEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_DocumentTitleChanged(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DocumentTitle(LPWSTR* title) = 0;
    virtual void STDMETHODCALLTYPE Slot_AddHostObjectToScript() = 0;
    virtual void STDMETHODCALLTYPE Slot_RemoveHostObjectFromScript() = 0;
    virtual void STDMETHODCALLTYPE Slot_OpenDevToolsWindow() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_ContainsFullScreenElementChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_ContainsFullScreenElementChanged() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_ContainsFullScreenElement() = 0;
    virtual void STDMETHODCALLTYPE Slot_add_WebResourceRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_remove_WebResourceRequested() = 0;
    virtual void STDMETHODCALLTYPE Slot_AddWebResourceRequestedFilter() = 0;
    virtual void STDMETHODCALLTYPE Slot_RemoveWebResourceRequestedFilter() = 0;
    virtual HRESULT STDMETHODCALLTYPE add_WindowCloseRequested(
        ICoreWebView2WindowCloseRequestedEventHandler* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_WindowCloseRequested(EventRegistrationToken token) = 0;
};

struct ICoreWebView2Settings : IUnknown {
    virtual void STDMETHODCALLTYPE Slot_get_IsScriptEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsScriptEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsWebMessageEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsWebMessageEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_AreDefaultScriptDialogsEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreDefaultScriptDialogsEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsStatusBarEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsStatusBarEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_AreDevToolsEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreDevToolsEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_AreDefaultContextMenusEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreDefaultContextMenusEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_AreHostObjectsAllowed() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AreHostObjectsAllowed(BOOL allowed) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsZoomControlEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsZoomControlEnabled(BOOL enabled) = 0;
};

// ICoreWebView2Settings4 extends Settings3, which extends Settings2, which
// extends ICoreWebView2Settings; only its newest slots are called.
struct ICoreWebView2Settings4 : ICoreWebView2Settings {
    virtual void STDMETHODCALLTYPE Slot_get_IsBuiltInErrorPageEnabled() = 0;
    virtual void STDMETHODCALLTYPE Slot_put_IsBuiltInErrorPageEnabled() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_UserAgent() = 0;
    virtual void STDMETHODCALLTYPE Slot_put_UserAgent() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_AreBrowserAcceleratorKeysEnabled() = 0;
    virtual void STDMETHODCALLTYPE Slot_put_AreBrowserAcceleratorKeysEnabled() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsPasswordAutosaveEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPasswordAutosaveEnabled(BOOL enabled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsGeneralAutofillEnabled() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsGeneralAutofillEnabled(BOOL enabled) = 0;
};

struct ICoreWebView2NavigationStartingEventArgs : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* userInitiated) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_IsRedirected() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_RequestHeaders() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_Cancel() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Cancel(BOOL cancel) = 0;
};

struct ICoreWebView2NavigationCompletedEventArgs : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_IsSuccess(BOOL* success) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WebErrorStatus(WebErrorStatus* status) = 0;
};

struct ICoreWebView2NewWindowRequestedEventArgs : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Uri(LPWSTR* uri) = 0;
    virtual void STDMETHODCALLTYPE Slot_put_NewWindow() = 0;
    virtual void STDMETHODCALLTYPE Slot_get_NewWindow() = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Handled(BOOL handled) = 0;
    virtual void STDMETHODCALLTYPE Slot_get_Handled() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsUserInitiated(BOOL* userInitiated) = 0;
};

// The runtime's creation entry point, as CreateCoreWebView2EnvironmentWithOptions
// is published (options: ICoreWebView2EnvironmentOptions, here always null).
using CreateEnvironmentWithOptions = HRESULT(STDAPICALLTYPE*)(
    PCWSTR browserExecutableFolder, PCWSTR userDataFolder, IUnknown* options,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler);
inline constexpr char kCreateEnvironmentExport[] = "CreateCoreWebView2EnvironmentWithOptions";

// Interface identifiers, as published.
inline constexpr IID kIidEnvironmentCompleted = {
    0x4e8a3389, 0xc9d8, 0x4bd2, {0xb6, 0xb5, 0x12, 0x4f, 0xee, 0x6c, 0xc1, 0x4d}};
inline constexpr IID kIidControllerCompleted = {
    0x6c4819f3, 0xc9b7, 0x4260, {0x81, 0x27, 0xc9, 0xf5, 0xbd, 0xe7, 0xf6, 0x8c}};
inline constexpr IID kIidNavigationStartingHandler = {
    0x9adbe429, 0xf36d, 0x432b, {0x9d, 0xdc, 0xf8, 0x88, 0x1f, 0xbd, 0x76, 0xe3}};
inline constexpr IID kIidNavigationCompletedHandler = {
    0xd33a35bf, 0x1c49, 0x4f98, {0x93, 0xab, 0x00, 0x6e, 0x05, 0x33, 0xfe, 0x1c}};
inline constexpr IID kIidNewWindowRequestedHandler = {
    0xd4c185fe, 0xc81c, 0x4989, {0x97, 0xaf, 0x2d, 0x3f, 0xa7, 0xab, 0x56, 0x51}};
inline constexpr IID kIidDocumentTitleChangedHandler = {
    0xf5f2b923, 0x953e, 0x4042, {0x9f, 0x95, 0xf3, 0xa1, 0x18, 0xe1, 0xaf, 0xd4}};
inline constexpr IID kIidWindowCloseRequestedHandler = {
    0x5c19e9e0, 0x092f, 0x486b, {0xaf, 0xfa, 0xca, 0x82, 0x31, 0x91, 0x30, 0x39}};
inline constexpr IID kIidExecuteScriptCompleted = {
    0x49511172, 0xcc67, 0x4bca, {0x99, 0x23, 0x13, 0x71, 0x12, 0xf4, 0xc4, 0xcc}};
inline constexpr IID kIidSettings4 = {
    0xcb56846c, 0x4168, 0x4d53, {0xb0, 0x4f, 0x03, 0xb6, 0xd6, 0x79, 0x6f, 0xf2}};

} // namespace wv2

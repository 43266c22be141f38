// The platform control's navigation events as it raises them, into the
// engine's sink: what the engine stops on its own, with no handler of a
// window connected (as in a tab), and how a page command is judged by
// every document of the page, read as the sink reads a real one.
#include "browser/BrowserEvents.h"
#include "browser/IeBrowser.h"
#include "browser/UrlSecurity.h"
#include "forms/Bstr.h"
#include "forms/ComPtr.h"
#include "game/Settings.h"
#include "login/core/PageCommand.h"
#include "tests/win32/FakeEvent.h"
#include "tests/win32/TestWindows.h"

#include <exdisp.h>
#include <exdispid.h>
#include <servprov.h>
#include <shlguid.h>
#include <urlmon.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::FakeEvent;
using testing_support::Of;

// One browser of a page and its document, frames collection and window at
// once, answering by name as the real objects' IDispatch does; a frame's
// window leads to its browser through SID_SWebBrowserApp.
class FakePage final : public IDispatch, public IServiceProvider {
public:
    explicit FakePage(std::wstring address) : address_(std::move(address)) {}
    void SetAddress(std::wstring address) { address_ = std::move(address); }
    void AddFrame(FakePage& frame) { frames_.push_back(&frame); }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
        } else if (iid == IID_IServiceProvider) {
            *object = static_cast<IServiceProvider*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    // Lives on the test's stack.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** object) override {
        if (service != SID_SWebBrowserApp) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return QueryInterface(iid == IID_IWebBrowser2 ? IID_IDispatch : iid, object);
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
        const wchar_t* known[] = {L"LocationURL", L"Document", L"frames", L"length", L"item"};
        for (DISPID i = 0; i < 5; ++i) {
            if (wcscmp(names[0], known[i]) == 0) {
                *id = i + 1;
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        VariantInit(result);
        switch (id) {
        case 1:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(address_.c_str());
            return S_OK;
        case 2: // the document
        case 3: // its frames
            result->vt = VT_DISPATCH;
            result->pdispVal = this;
            return S_OK;
        case 4:
            result->vt = VT_I4;
            result->lVal = static_cast<long>(frames_.size());
            return S_OK;
        case 5: {
            const long index = params->cArgs == 1 ? params->rgvarg[0].lVal : -1;
            if (index < 0 || index >= static_cast<long>(frames_.size())) {
                return DISP_E_BADINDEX;
            }
            result->vt = VT_DISPATCH;
            result->pdispVal = frames_[static_cast<std::size_t>(index)];
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    std::wstring address_;
    std::vector<FakePage*> frames_;
};

class EngineTrustTest : public testing::Test {
protected:
    void SetUp() override {
        container = testing_support::CreatePlainWindow(100, 100, 300, 200);
        engine = std::make_unique<browser::IeBrowser>(container);
        top.AddFrame(ownFrame);
        top.AddFrame(advert);
        sink =
            forms::MakeCom<browser::BrowserEvents>(*engine, static_cast<IDispatch*>(&top), [] {});
    }
    void TearDown() override {
        sink->Detach();
        engine.reset();
        DestroyWindow(container);
        testing_support::DrainPosted();
    }
    // BeforeNavigate2 (pDisp, URL, Flags, TargetFrameName, PostData,
    // Headers, Cancel) from a frame's browser; the Cancel it comes back with.
    bool Navigate(const std::wstring& url, IDispatch& from) {
        forms::Bstr address(url);
        VARIANT target = Of(VT_BSTR, address.get()), none = {};
        VARIANT_BOOL cancel = VARIANT_FALSE;
        FakeEvent({Of(VT_DISPATCH, &from), Of(VT_BYREF | VT_VARIANT, &target), none, none, none,
                   none, Of(VT_BYREF | VT_BOOL, &cancel)})
            .Send(*sink.get(), DISPID_BEFORENAVIGATE2);
        return cancel != VARIANT_FALSE;
    }

    const std::wstring site = PublicData::GameSiteUrl;
    FakePage top{PublicData::LoginPageUrl};
    FakePage ownFrame{site + L"own/"};
    FakePage advert{L"http://ads.example/frame"};
    HWND container = nullptr;
    std::unique_ptr<browser::IeBrowser> engine;
    forms::ComPtr<browser::BrowserEvents> sink;
};

TEST_F(EngineTrustTest, WithNoHandlerOtherSchemesAndFileDownloadsStopAndWebPagesGo) {
    EXPECT_TRUE(Navigate(L"search-ms:query=x", advert));
    EXPECT_TRUE(Navigate(L"file:///C:/x", advert));
    EXPECT_TRUE(Navigate(L"app://exitgame", advert));
    EXPECT_FALSE(Navigate(L"http://h/p", advert));
    EXPECT_FALSE(Navigate(L"about:blank", top));

    // FileDownload (ActiveDocument, Cancel): a file to save or run is
    // stopped; an active document is a page the control shows itself.
    for (const VARIANT_BOOL active : {VARIANT_FALSE, VARIANT_TRUE}) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        FakeEvent({testing_support::Bool(active), Of(VT_BYREF | VT_BOOL, &cancel)})
            .Send(*sink.get(), DISPID_FILEDOWNLOAD);
        EXPECT_EQ(cancel, active ? VARIANT_FALSE : VARIANT_TRUE);
    }
}

// The login window's judgement, on what the sink reads of the page.
TEST_F(EngineTrustTest, ACommandCountsOnlyWhenEveryDocumentOfThePageIsTheOperators) {
    std::vector<login::PageCommandKind> decided;
    testing_support::Held() +=
        engine->BeforeNavigate2.Connect([&](browser::Navigation navigation, bool& cancel) {
            const auto decision = login::DecidePageCommand(navigation, PublicData::OperatorHosts());
            cancel = cancel || decision.cancel;
            decided.push_back(decision.command.kind);
        });
    EXPECT_TRUE(Navigate(L"app://exitgame", ownFrame));
    EXPECT_TRUE(Navigate(L"app://exitgame", top)) << "aimed at the top, from anywhere";
    advert.SetAddress(L"about:blank"); // emptied: counts as the page's own
    EXPECT_TRUE(Navigate(L"app://exitgame", ownFrame));
    EXPECT_EQ(decided, (std::vector<login::PageCommandKind>{login::PageCommandKind::None,
                                                            login::PageCommandKind::None,
                                                            login::PageCommandKind::ExitGame}));
}

// Process-wide and in memory only: what the platform then reports.
TEST(UrlSecurity, ThePlatformReportsEveryLockDownOnForTheProcess) {
    ASSERT_TRUE(browser::LockDownUrlSecurity());
    for (const INTERNETFEATURELIST feature :
         {FEATURE_ZONE_ELEVATION, FEATURE_LOCALMACHINE_LOCKDOWN, FEATURE_RESTRICT_FILEDOWNLOAD,
          FEATURE_RESTRICT_ACTIVEXINSTALL, FEATURE_DISABLE_MK_PROTOCOL, FEATURE_MIME_HANDLING,
          FEATURE_HTTP_USERNAME_PASSWORD_DISABLE, FEATURE_BLOCK_INPUT_PROMPTS,
          FEATURE_WINDOW_RESTRICTIONS}) {
        EXPECT_EQ(CoInternetIsFeatureEnabled(feature, GET_FEATURE_FROM_PROCESS), S_OK) << feature;
    }
}

} // namespace

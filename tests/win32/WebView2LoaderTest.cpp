// The WebView2 loader against the stand-in runtime, found through the
// variable and through fake client keys and install folders in the test
// prefix, which each test removes again.
#include "browser/BrowserEngine.h"
#include "browser/IeBrowser.h"
#include "browser/webview2/WebView2Browser.h"
#include "browser/webview2/WebView2Runtime.h"
#include "forms/Host.h"
#include "tests/win32/TestWindows.h"
#include "tests/win32/webview2/StandInFiles.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using browser::WebView2Runtime;
using testing_support::ScopedVariable;
using State = WebView2Runtime::State;

constexpr wchar_t kVariable[] = L"WEBVIEW2_BROWSER_EXECUTABLE_FOLDER";
#ifdef _WIN64
constexpr wchar_t kOwnWidth[] = L"x64";
constexpr wchar_t kOtherWidth[] = L"x86";
#else
constexpr wchar_t kOwnWidth[] = L"x86";
constexpr wchar_t kOtherWidth[] = L"x64";
#endif

std::wstring Known(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::wstring folder = path != nullptr ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

// A runtime file put where a layout wants it, removed with its folders.
class PlacedRuntime {
public:
    PlacedRuntime(const std::wstring& folder, const wchar_t* width, const std::wstring& from)
        : folder_(folder), dll_(folder + L"\\EBWebView\\" + width) {
        SHCreateDirectoryExW(nullptr, dll_.c_str(), nullptr);
        dll_ += L"\\EmbeddedBrowserWebView.dll";
        placed_ = CopyFileW(from.c_str(), dll_.c_str(), FALSE) != FALSE;
    }
    // A file that is not a program at all.
    PlacedRuntime(const std::wstring& folder, const char* text)
        : folder_(folder), dll_(folder + L"\\EBWebView\\" + kOwnWidth) {
        SHCreateDirectoryExW(nullptr, dll_.c_str(), nullptr);
        dll_ += L"\\EmbeddedBrowserWebView.dll";
        const HANDLE file = CreateFileW(dll_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        placed_ = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        CloseHandle(file);
    }
    ~PlacedRuntime() {
        DeleteFileW(dll_.c_str());
        // Up to and including the runtime folder; a folder still in use stays.
        std::wstring folder = dll_.substr(0, dll_.find_last_of(L'\\'));
        while (folder.size() >= folder_.size() && RemoveDirectoryW(folder.c_str())) {
            folder = folder.substr(0, folder.find_last_of(L'\\'));
        }
    }
    bool Placed() const { return placed_; }

private:
    std::wstring folder_;
    std::wstring dll_;
    bool placed_ = false;
};

// A version registered under root's client key (32-bit view), removed again.
class RegisteredRuntime {
public:
    RegisteredRuntime(HKEY root, const std::wstring& version) : root_(root) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, WebView2Runtime::kClientKey, 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) == ERROR_SUCCESS) {
            registered_ =
                RegSetValueExW(
                    key, L"pv", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                    static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    ~RegisteredRuntime() {
        RegDeleteKeyExW(root_, WebView2Runtime::kClientKey, KEY_WOW64_32KEY, 0);
    }
    bool Registered() const { return registered_; }

private:
    HKEY root_;
    bool registered_ = false;
};

std::wstring StandInFile() {
    return WebView2Runtime::LibraryIn(testing_support::StandInFolder());
}

std::wstring TestVersion(int offset) {
    return L"1.0." + std::to_wstring(offset) + L"." +
           std::to_wstring(GetCurrentProcessId() % 90000 + 1);
}

std::wstring InstallFolder(REFKNOWNFOLDERID base, const std::wstring& version) {
    return Known(base) + L"\\Microsoft\\EdgeWebView\\Application\\" + version;
}

struct Found {
    State state;
    std::wstring folder;
    WebView2Runtime::Source source;
};

Found Look() {
    State state = State::Missing;
    const std::unique_ptr<WebView2Runtime> runtime = WebView2Runtime::Load(state);
    if (!runtime) {
        return {state, L"", WebView2Runtime::Source::Variable};
    }
    return {state, runtime->Folder(), runtime->From()};
}

class WebView2LoaderTest : public testing::Test {
protected:
    const std::wstring machineVersion = TestVersion(1);
    const std::wstring userVersion = TestVersion(2);
    const std::wstring machineFolder = InstallFolder(FOLDERID_ProgramFilesX86, machineVersion);
    const std::wstring userFolder = InstallFolder(FOLDERID_LocalAppData, userVersion);
};

TEST_F(WebView2LoaderTest, TheVariableWinsThenThePerMachineKeyThenThePerUserKey) {
    const PlacedRuntime machineFiles(machineFolder, kOwnWidth, StandInFile());
    const PlacedRuntime userFiles(userFolder, kOwnWidth, StandInFile());
    ASSERT_TRUE(machineFiles.Placed() && userFiles.Placed());
    auto machineKey = std::make_unique<RegisteredRuntime>(HKEY_LOCAL_MACHINE, machineVersion);
    auto userKey = std::make_unique<RegisteredRuntime>(HKEY_CURRENT_USER, userVersion);
    ASSERT_TRUE(machineKey->Registered() && userKey->Registered());
    {
        const ScopedVariable fixed(kVariable, testing_support::StandInFolder());
        const Found found = Look();
        EXPECT_EQ(found.state, State::Found);
        EXPECT_EQ(found.folder, testing_support::StandInFolder());
        EXPECT_EQ(found.source, WebView2Runtime::Source::Variable);
    }
    const ScopedVariable none(kVariable, L"");
    Found found = Look();
    EXPECT_EQ(found.state, State::Found);
    EXPECT_EQ(found.folder, machineFolder);
    EXPECT_EQ(found.source, WebView2Runtime::Source::Machine);
    machineKey.reset();
    found = Look();
    EXPECT_EQ(found.state, State::Found);
    EXPECT_EQ(found.folder, userFolder);
    EXPECT_EQ(found.source, WebView2Runtime::Source::User);
    userKey.reset();
    EXPECT_EQ(Look().state, State::Missing);
}

// A key whose folder holds no runtime gives way to the next; a version that
// is no version (a path, say) is never made a folder.
TEST_F(WebView2LoaderTest, AKeyWithoutItsFilesOrWithABadVersionGivesWay) {
    const ScopedVariable none(kVariable, L"");
    const PlacedRuntime userFiles(userFolder, kOwnWidth, StandInFile());
    const RegisteredRuntime machineKey(HKEY_LOCAL_MACHINE, machineVersion); // no files
    const RegisteredRuntime userKey(HKEY_CURRENT_USER, userVersion);
    EXPECT_EQ(Look().source, WebView2Runtime::Source::User);
    const RegisteredRuntime escaping(HKEY_CURRENT_USER, L"..\\..\\" + userVersion);
    EXPECT_EQ(Look().state, State::Missing);
}

TEST_F(WebView2LoaderTest, ARuntimeOfTheOtherWidthIsRefusedBeforeItLoads) {
    const std::wstring other = testing_support::OtherWidthFolder();
    {
        // The other width's file where this width's belongs.
        const ScopedVariable fixed(kVariable, other);
        EXPECT_EQ(Look().state, State::OtherWidth);
        EXPECT_EQ(GetModuleHandleW(WebView2Runtime::LibraryIn(other).c_str()), nullptr);
    }
    // Only the other width's folder: not this process's runtime either.
    const std::wstring folder = other + L"-only";
    const PlacedRuntime files(folder, kOtherWidth, WebView2Runtime::LibraryIn(other));
    ASSERT_TRUE(files.Placed());
    const ScopedVariable fixed(kVariable, folder);
    EXPECT_EQ(Look().state, State::OtherWidth);
}

TEST_F(WebView2LoaderTest, AMissingOrBrokenRuntimeIsNoneAndAutoTakesTheControl) {
    const std::wstring folder = testing_support::StandInFolder() + L"-broken";
    {
        const ScopedVariable fixed(kVariable, folder);
        EXPECT_EQ(Look().state, State::Missing);
    }
    const PlacedRuntime text(folder, "not a program");
    ASSERT_TRUE(text.Placed());
    const ScopedVariable fixed(kVariable, folder);
    EXPECT_EQ(Look().state, State::Broken);
    // The process's first look, as a client's first page makes it; a runtime
    // there but broken is written down for the operator.
    std::vector<std::wstring> reports;
    forms::HostSwap host;
    host->errorSink = &reports;
    const HWND container = testing_support::CreatePlainWindow(0, 0, 300, 200);
    std::unique_ptr<browser::IBrowser> engine = browser::CreateEngine(container);
    EXPECT_NE(dynamic_cast<browser::IeBrowser*>(engine.get()), nullptr);
    EXPECT_EQ(WebView2Runtime::OfProcess(), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind(L"WebView2Runtime.OfProcess: ", 0), 0u) << reports[0];
    engine.reset();
    DestroyWindow(container);
}

// A library of this width without the entry point is broken, not a crash.
TEST_F(WebView2LoaderTest, ALibraryWithoutTheEntryPointIsBroken) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring folder = testing_support::StandInFolder() + L"-noexport";
    const PlacedRuntime files(folder, kOwnWidth, std::wstring(system) + L"\\version.dll");
    ASSERT_TRUE(files.Placed());
    const ScopedVariable fixed(kVariable, folder);
    EXPECT_EQ(Look().state, State::Broken);
}

} // namespace

#include "tests/win32/OperatorServer.h"

#include "tests/win32/TestWindows.h"

#include <windows.h>

namespace testing_support {

namespace {

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? value : L"";
}

// Under Wine the server's folder is a Unix path, reached through drive Z:.
std::wstring RootFolder() {
    std::wstring root = Variable(L"TAVRIN_TEST_ROOT");
    if (!root.empty() && root[0] == L'/') {
        for (wchar_t& c : root) {
            c = c == L'/' ? L'\\' : c;
        }
        root = L"Z:" + root;
    }
    return root;
}

} // namespace

bool OperatorServer::Available() {
    return !Variable(L"TAVRIN_TEST_SERVER").empty();
}

std::wstring OperatorServer::Url(const std::wstring& path) {
    return Variable(L"TAVRIN_TEST_SERVER") + path;
}

void OperatorServer::Serve(const std::wstring& name, const std::vector<unsigned char>& bytes) {
    std::wstring path = RootFolder();
    for (std::size_t start = 0;;) {
        const std::size_t slash = name.find(L'/', start);
        if (slash == std::wstring::npos) {
            break;
        }
        CreateDirectoryW((path + L"\\" + name.substr(0, slash)).c_str(), nullptr);
        start = slash + 1;
    }
    std::wstring file = name;
    for (wchar_t& c : file) {
        c = c == L'/' ? L'\\' : c;
    }
    WriteFileBytes(path + L"\\" + file, bytes);
}

void OperatorServer::Serve(const std::wstring& name, const std::string& text) {
    Serve(name, std::vector<unsigned char>(text.begin(), text.end()));
}

} // namespace testing_support

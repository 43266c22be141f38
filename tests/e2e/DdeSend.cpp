// Sends one DDE execute command, as another program would:
// DdeSend <service> <topic> <command>, or @FILE for a command read from a
// UTF-8 file (longer than a command line may be). Exit code 0 when it was
// accepted, 1 when it was answered "not processed", 4 without a server,
// 5 for any other failure.
#include <windows.h>

#include <ddeml.h>

#include <string>

namespace {
HDDEDATA CALLBACK Ignore(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

std::wstring ReadUtf8File(const wchar_t* path) {
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return L"";
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                             static_cast<int>(got), text.data(),
                                                             static_cast<int>(text.size()))));
    return text;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 2;
    }
    DWORD instance = 0;
    if (DdeInitializeW(&instance, &Ignore, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        return 3;
    }
    HSZ service = DdeCreateStringHandleW(instance, argv[1], CP_WINUNICODE);
    HSZ topic = DdeCreateStringHandleW(instance, argv[2], CP_WINUNICODE);
    int code = 4;
    if (HCONV conv = DdeConnect(instance, service, topic, nullptr)) {
        const std::wstring command = argv[3][0] == L'@' ? ReadUtf8File(argv[3] + 1) : argv[3];
        const auto size = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
        DWORD result = 0;
        auto* data = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(command.c_str()));
        if (DdeClientTransaction(data, size, conv, nullptr, 0, XTYP_EXECUTE, 10000, &result)) {
            code = 0;
        } else {
            code = DdeGetLastError(instance) == DMLERR_NOTPROCESSED ? 1 : 5;
        }
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(instance, topic);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return code;
}

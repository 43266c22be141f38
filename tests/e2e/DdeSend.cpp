// Sends one DDE execute command, as another program would:
// DdeSend <service> <topic> <command>. Exit code 0 when it was accepted.
#include <windows.h>
#include <ddeml.h>

#include <string>

namespace {
HDDEDATA CALLBACK Ignore(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
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
    int code = 1;
    if (HCONV conv = DdeConnect(instance, service, topic, nullptr)) {
        const std::wstring command = argv[3];
        const auto size = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
        DWORD result = 0;
        auto* data = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(command.c_str()));
        if (DdeClientTransaction(data, size, conv, nullptr, 0, XTYP_EXECUTE, 10000, &result)) {
            code = 0;
        }
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(instance, topic);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return code;
}

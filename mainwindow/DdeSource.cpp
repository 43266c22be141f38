#include "mainwindow/DdeSource.h"

#include "forms/CallbackBoundary.h"
#include "mainwindow/core/DdeText.h"

#include <vector>

namespace {
DdeSource* current = nullptr;
} // namespace

DdeSource::DdeSource(const std::wstring& service, const std::wstring& topic, Execute execute)
    : execute_(std::move(execute)) {
    current = this;
    const DWORD flags = APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_REQUESTS | CBF_FAIL_POKES |
                        CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeW(&instance_, &DdeSource::Callback, flags, 0) != DMLERR_NO_ERROR) {
        instance_ = 0;
        return;
    }
    service_ = DdeCreateStringHandleW(instance_, service.c_str(), CP_WINUNICODE);
    topic_ = DdeCreateStringHandleW(instance_, topic.c_str(), CP_WINUNICODE);
    registered_ = DdeNameService(instance_, service_, nullptr, DNS_REGISTER) != nullptr;
}

DdeSource::~DdeSource() {
    if (instance_ != 0) {
        if (registered_) {
            DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
        }
        DdeFreeStringHandle(instance_, topic_);
        DdeFreeStringHandle(instance_, service_);
        DdeUninitialize(instance_);
    }
    if (current == this) {
        current = nullptr;
    }
}

HDDEDATA DdeSource::Answer(UINT type, HSZ topic, HDDEDATA data) {
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(
            static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, topic_) == 0));
    case XTYP_EXECUTE: {
        std::vector<unsigned char> bytes(DdeGetData(data, nullptr, 0, 0));
        if (!bytes.empty()) {
            DdeGetData(data, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
        }
        const bool done = execute_ && execute_(DdeCommandText(bytes.data(), bytes.size()));
        return reinterpret_cast<HDDEDATA>(
            static_cast<ULONG_PTR>(done ? DDE_FACK : DDE_FNOTPROCESSED));
    }
    default:
        return nullptr;
    }
}

HDDEDATA CALLBACK DdeSource::Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR) {
    return forms::Guarded(
        L"DdeSource",
        [&]() -> HDDEDATA {
            return current != nullptr ? current->Answer(type, topic, data) : nullptr;
        },
        [&]() -> HDDEDATA {
            // A command that failed inside was not carried out.
            return type == XTYP_EXECUTE ? reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED) : nullptr;
        });
}

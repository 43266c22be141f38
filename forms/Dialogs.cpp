#include "forms/Dialogs.h"

#include "forms/Host.h"

#include <windows.h>

namespace forms {

namespace {

UINT MessageBoxStyle(const MessageRequest& request) {
    UINT style = request.buttons == MsgButtons::YesNo ? MB_YESNO : MB_OK;
    switch (request.icon) {
    case MsgIcon::Question:
        return style | MB_ICONQUESTION;
    case MsgIcon::Information:
        return style | MB_ICONINFORMATION;
    default:
        return style | MB_ICONEXCLAMATION;
    }
}

MsgAnswer FromMessageBoxResult(int result) {
    switch (result) {
    case IDYES:
        return MsgAnswer::Yes;
    case IDNO:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Ok;
    }
}

class SystemDialogHost final : public DialogHost {
public:
    MsgAnswer Message(const MessageRequest& request) override {
        const int result = MessageBoxW(GetActiveWindow(), request.text.c_str(),
                                       request.caption.c_str(), MessageBoxStyle(request));
        return FromMessageBoxResult(result);
    }
    void Modal(Form& form, Form* owner) override { RunOwnModalLoop(form, owner); }
};

// At namespace scope: constant-initialised, so no thread-safe static guard
// (and its threading library) in the executables.
SystemDialogHost systemHost;

} // namespace

DialogHost& Dialogs::Host() {
    DialogHost* installed = forms::Host::Current().dialogs;
    return installed != nullptr ? *installed : systemHost;
}

} // namespace forms

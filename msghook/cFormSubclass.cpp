#include "msghook/cFormSubclass.h"

#include <algorithm>
#include <limits>
#include <utility>

cFormSubclass::~cFormSubclass() {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (*it != nullptr) {
            std::exchange(*it, nullptr)->Release();
        }
    }
}

void cFormSubclass::zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd,
                                   UINT& uMsg, WPARAM& wParam, LPARAM& lParam) {
    MsgCome(bBefore, bHandled, lReturn, lng_hWnd, uMsg, wParam, lParam);
}

bool cFormSubclass::AddWindowMsgs(HWND hWnd) {
    SubclassHook* hook =
        SubclassHook::Install(hWnd, *this, std::numeric_limits<std::size_t>::max());
    if (hook == nullptr) {
        return true;
    }
    hook->Before().Add(MessageTable::kAllMessages);
    const auto free = std::find(records_.rbegin(), records_.rend(), nullptr);
    if (free != records_.rend()) {
        *free = hook;
    } else {
        records_.push_back(hook);
    }
    return true;
}

bool cFormSubclass::DeleteWindowMsg(HWND /*hWnd*/) {
    return false;
}

void cFormSubclass::HookMessage(SubclassHook& /*hook*/, bool before, bool& handled, LRESULT& result,
                                HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam) {
    zSubclass_Proc(before, handled, result, hWnd, message, wParam, lParam);
}

void cFormSubclass::HookGone(SubclassHook& hook) {
    std::replace(records_.begin(), records_.end(), &hook, static_cast<SubclassHook*>(nullptr));
}

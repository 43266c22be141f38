#pragma once

#include <windows.h>

#include <oaidl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace testing_support {

// What the control hands an event sink, built here: real IE is not at hand.
class FakeEvent {
public:
    // Arguments in the event's order; the sink sees them last first.
    explicit FakeEvent(std::vector<VARIANT> arguments) : arguments_(std::move(arguments)) {
        std::reverse(arguments_.begin(), arguments_.end());
    }
    void Send(IDispatch& sink, DISPID id) {
        DISPPARAMS params = {arguments_.data(), nullptr, static_cast<UINT>(arguments_.size()), 0};
        sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }

private:
    std::vector<VARIANT> arguments_;
};

inline VARIANT Of(VARTYPE type, void* value) {
    VARIANT v = {};
    v.vt = type;
    v.byref = value;
    return v;
}

inline VARIANT Long(VARTYPE type, long value) {
    VARIANT v = {};
    v.vt = type;
    v.lVal = value;
    return v;
}

inline VARIANT Bool(VARIANT_BOOL value) {
    VARIANT v = {};
    v.vt = VT_BOOL;
    v.boolVal = value;
    return v;
}

} // namespace testing_support

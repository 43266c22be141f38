// Placeholder until the engines land in this branch; removed when they do.
#include "login/IBrowser.h"

namespace login {
std::unique_ptr<IBrowser> CreateIeBrowser(HWND) {
    return nullptr;
}
std::unique_ptr<IBrowser> CreatePreviewBrowser(HWND) {
    return nullptr;
}
} // namespace login

#include "login/PageCommand.h"

namespace login {

namespace {

bool Contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

// Piece 1 of the address split at every "|".
std::optional<std::wstring> SecondPiece(const std::wstring& url) {
    const std::size_t first = url.find(L'|');
    if (first == std::wstring::npos) {
        return std::nullopt;
    }
    const std::size_t second = url.find(L'|', first + 1);
    std::wstring piece = url.substr(first + 1, second == std::wstring::npos ? std::wstring::npos
                                                                            : second - first - 1);
    if (piece.empty()) {
        return std::nullopt;
    }
    return piece;
}

} // namespace

PageCommand ParsePageCommand(const std::wstring& url) {
    if (Contains(url, L"app://exitgame")) {
        return {PageCommandKind::ExitGame, std::nullopt};
    }
    if (Contains(url, L"app://minimize")) {
        return {PageCommandKind::Minimize, std::nullopt};
    }
    if (Contains(url, L"app://loadgame")) {
        return {PageCommandKind::LoadGame, SecondPiece(url)};
    }
    return {};
}

} // namespace login

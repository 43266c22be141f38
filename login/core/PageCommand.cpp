#include "login/core/PageCommand.h"

#include "browser/core/WebAddress.h"
#include "forms/core/Text.h"

#include <algorithm>

namespace login {

namespace {

// The command alone, or followed by "/" or "?".
bool IsBareCommand(const std::wstring& url, const std::wstring& command) {
    if (!forms::StartsWithNoCase(url, command)) {
        return false;
    }
    return url.size() == command.size() || url[command.size()] == L'/' ||
           url[command.size()] == L'?';
}

// Piece 1 of the address split at every "|".
std::optional<std::wstring> SecondPiece(const std::wstring& url) {
    const std::size_t first = url.find(L'|');
    const std::size_t second = url.find(L'|', first + 1);
    std::wstring piece = url.substr(first + 1, second == std::wstring::npos ? std::wstring::npos
                                                                            : second - first - 1);
    if (piece.empty()) {
        return std::nullopt;
    }
    return piece;
}

bool AllOperatorDocuments(const std::vector<std::wstring>& documents,
                          const browser::OperatorHosts& hosts) {
    return !documents.empty() &&
           std::all_of(documents.begin(), documents.end(),
                       [&](const std::wstring& url) { return hosts.IsOperatorPage(url); });
}

} // namespace

PageCommand ParsePageCommand(const std::wstring& url) {
    if (IsBareCommand(url, L"app://exitgame")) {
        return {PageCommandKind::ExitGame, std::nullopt};
    }
    if (IsBareCommand(url, L"app://minimize")) {
        return {PageCommandKind::Minimize, std::nullopt};
    }
    if (forms::StartsWithNoCase(url, L"app://loadgame|")) {
        return {PageCommandKind::LoadGame, SecondPiece(url)};
    }
    return {};
}

bool IsAppAddress(const std::wstring& url) {
    return forms::StartsWithNoCase(url, L"app:");
}

bool IsGameAddress(const std::wstring& url, const browser::OperatorHosts& hosts) {
    return url.size() <= browser::kMaxWebAddressLength && hosts.IsOperatorPage(url);
}

bool KeepsLoginOnOperatorHosts(const browser::Navigation& navigation,
                               const browser::OperatorHosts& hosts) {
    return !navigation.topLevel || hosts.IsOperatorPage(navigation.url) ||
           IsAppAddress(navigation.url) || forms::StartsWithNoCase(navigation.url, L"javascript:");
}

PageCommandDecision DecidePageCommand(const browser::Navigation& navigation,
                                      const browser::OperatorHosts& hosts) {
    PageCommandDecision decision;
    decision.cancel = IsAppAddress(navigation.url);
    if (!decision.cancel || !AllOperatorDocuments(navigation.documents, hosts)) {
        return decision;
    }
    PageCommand command = ParsePageCommand(navigation.url);
    if (command.kind == PageCommandKind::LoadGame &&
        !(command.gameUrl && IsGameAddress(*command.gameUrl, hosts))) {
        return decision;
    }
    decision.command = std::move(command);
    return decision;
}

} // namespace login

#pragma once

#include "OperatorAddresses.h"
#include "browser/core/OperatorHosts.h"

// The game this client serves. The addresses are the operator's and are
// compiled in; nothing is read from a file or the registry.
namespace PublicData {

inline constexpr const wchar_t* UpdateManifestUrl = TAVRIN_UPDATE_MANIFEST_URL;
inline constexpr const wchar_t* LoginPageUrl = TAVRIN_LOGIN_PAGE_URL;
inline constexpr const wchar_t* GameSiteUrl = TAVRIN_GAME_SITE_URL;
inline constexpr const wchar_t* MakerSiteUrl = TAVRIN_MAKER_SITE_URL;

// The hosts of the four addresses and the build's OperatorHosts.
inline const browser::OperatorHosts& OperatorHosts() {
    static const browser::OperatorHosts hosts(
        {UpdateManifestUrl, LoginPageUrl, GameSiteUrl, MakerSiteUrl}, TAVRIN_OPERATOR_HOSTS);
    return hosts;
}

inline constexpr const wchar_t* GameTitle = L"Drelmoor2";
inline constexpr const wchar_t* GameCode = L"brnq2";

} // namespace PublicData

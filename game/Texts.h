#pragma once

#include "game/Settings.h"

#include <string>

// The words the player reads in more than one place, written once so that
// the windows and messages cannot drift apart.
namespace Texts {

// The caption of the program's message boxes.
inline constexpr const wchar_t* Notice = L"提示";
inline constexpr const wchar_t* Offline = L"未能连接到服务器，请检查网络连接是否正常！";
// A window's title until the game's title replaces it.
inline constexpr const wchar_t* ClientWindow = L"Fennoy客户端";
// The update command and the updater's window.
inline constexpr const wchar_t* Update = L"更新";
inline constexpr const wchar_t* CacheCleaning = L"缓存清理";

// The title of the client's windows once shown.
inline std::wstring GameClientTitle() {
    return std::wstring(PublicData::GameTitle) + L"客户端";
}

} // namespace Texts

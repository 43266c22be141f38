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
// What a screen reader calls the caption bar's picture buttons.
inline constexpr const wchar_t* CloseButton = L"关闭";
inline constexpr const wchar_t* MinimiseButton = L"最小化";
inline constexpr const wchar_t* MaximiseButton = L"最大化";
inline constexpr const wchar_t* MenuButton = L"菜单";

// The title of the client's windows once shown.
inline std::wstring GameClientTitle() {
    return std::wstring(PublicData::GameTitle) + L"客户端";
}

} // namespace Texts

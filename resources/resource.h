// The ids of everything the client carries. Plain numbers only: the
// resource compiler and the code both read this file.
#ifndef TAVRIN_RESOURCE_H
#define TAVRIN_RESOURCE_H

// The executable's own icon group, shown by the shell; no code reads it.
#define IDI_TAVRIN 1
// The version block and the application manifest.
#define IDR_VERSION 1
#define IDR_MANIFEST 1

// Custom type "ICON": the icon file written to the temporary folder.
#define IDR_ICON_FILE 101
// Custom type "PNG": the login background and the splash.
#define IDR_PNG_LOGIN 101
#define IDR_PNG_SPLASH 102
// Pictures also drawn twice as large, for screens above 96 DPI: the same
// type, their id + IDR_TWICE_SIZE.
#define IDR_TWICE_SIZE 1000
#define IDR_PNG_LOGIN_2X 1101
#define IDR_PNG_SPLASH_2X 1102
// Custom type "UPDATE": the updater program.
#define IDR_UPDATE 101

// Bitmaps: the main window's caption buttons and logo, the tab strip's two
// skins and the skinned frame.
#define IDB_MIN 101
#define IDB_MINMAX 102
#define IDB_CLOSE 103
#define IDB_TOOL 104
#define IDB_LOGO 105
#define IDB_LOGO_2X 1105
#define IDB_TABS_LOW 106
#define IDB_TABS_HIGH 107
#define IDB_FRAME 108
// The exit dialog's answer buttons.
#define IDB_ANSWER 109
// The caption bar's text buttons "登录其他帐号" and "游戏官网".
#define IDB_OTHER_USER 110
#define IDB_GAME_SPACE 111
// The login window's minimise and close pictures.
#define IDB_LOGIN_MINI 201
#define IDB_LOGIN_CLOSE 202
#define IDB_LOGIN_MINI_2X 1201
#define IDB_LOGIN_CLOSE_2X 1202

// The updater's own bitmaps: its close button and its skinned frame. Ids of
// their own, so that code loading one program's art never finds the other's.
#define IDB_UPDATE_CLOSE 301
#define IDB_UPDATE_FRAME 302

#endif

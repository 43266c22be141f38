// Names of the resources the client carries (Tavrin.rc and the code).
#pragma once

// Custom type "PNG": the login background picture.
#define IDR_LOGIN_BACKGROUND 101
// Custom type "ICON": the icon file written out for the window icons.
#define IDR_WINDOW_ICONS 101

// The login window's minimise and close pictures.
#define IDB_LOGIN_MINI 201
#define IDB_LOGIN_CLOSE 202

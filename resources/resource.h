#pragma once

// Bitmap resources, as the resource script carries them.
#define IDB_WEB_MIN 101
#define IDB_WEB_MINMAX 102
#define IDB_WEB_CLOSE 103
#define IDB_WEB_TOOL 104
#define IDB_LOGO 105
#define IDB_TABS_LOW 106
#define IDB_TABS_HIGH 107
#define IDB_FRAME 108
#define IDB_ANSWER 109

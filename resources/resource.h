#pragma once

// Resource ids of the updater's own resources.
#define IDB_UPDATE_CLOSE 103
#define IDB_UPDATE_FRAME 108

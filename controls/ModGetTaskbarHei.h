#pragma once

// The height, in twips, of whatever lies between the work area's bottom and
// the screen's bottom: the taskbar when it sits at the bottom, else 0.
int GetTaskbarHeight();

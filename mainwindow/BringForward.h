#pragma once

// Brings the client's current window to the front, for a start that found
// it running: the login screen while it shows, else the game window (shown
// again when F10 or the tray hid it), else the splash, each restored when
// minimised and with any question it has open on top. Before the first
// window shows there is nothing to bring: that window takes the foreground
// the other start allowed when it shows.
void BringClientForward();

#pragma once

// How the skinned button picks and sizes the frames of its picture strip.
namespace ButtonRules {

enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

struct FrameSize {
    int width = 0;
    int height = 0;
};

// Frame size in pixels of a strip given in HIMETRIC: 3 frames side by side
// for style 0, 6 for any other style.
FrameSize FrameSizeOf(double stripWidthHimetric, double stripHeightHimetric, long style);

// Where frame `index` starts in a strip stripWidth pixels wide, by its
// edges, so that none of the strip's frames reaches past its last pixel column.
int FrameLeft(int index, int stripWidth, int frameWidth, long style);

// Frames cut from the strip: 4 x style + 4, the last being the disabled look.
int FrameCount(long style);

// Which frame shows a state; a toggle that is on uses the second half.
int FrameIndex(int state, bool value, long style);

// The state to show from the enabled, pressed and pointer-over facts.
int CurrentState(bool enabled, bool pressed, bool mouseOver);

} // namespace ButtonRules

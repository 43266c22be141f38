#include "controls/core/ButtonRules.h"

#include "forms/core/Units.h"

namespace ButtonRules {

FrameSize FrameSizeOf(double stripWidthHimetric, double stripHeightHimetric, long style) {
    const double frames = style == 0 ? 3.0 : 6.0;
    FrameSize size;
    size.width = static_cast<int>(
        forms::RoundHalfEven(stripWidthHimetric / forms::HimetricPerPixel() / frames));
    size.height = forms::HimetricToPixels(stripHeightHimetric);
    return size;
}

int FrameLeft(int index, int stripWidth, int frameWidth, long style) {
    const double frames = style == 0 ? 3.0 : 6.0;
    const auto left = static_cast<int>(forms::RoundHalfEven(index * stripWidth / frames));
    // Frames past the strip's count (a disabled look it lacks) stay where they were.
    return index < frames && left + frameWidth > stripWidth ? stripWidth - frameWidth : left;
}

int FrameCount(long style) {
    return static_cast<int>(4 * style + 4);
}

int FrameIndex(int state, bool value, long style) {
    return state + 3 * (value ? 1 : 0) * static_cast<int>(style);
}

int CurrentState(bool enabled, bool pressed, bool mouseOver) {
    if (!enabled) {
        return Disabled;
    }
    if (pressed) {
        return mouseOver ? Pressed : Normal;
    }
    return mouseOver ? Hover : Normal;
}

} // namespace ButtonRules

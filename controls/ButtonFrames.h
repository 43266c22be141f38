#pragma once

#include "controls/core/ButtonRules.h"
#include "forms/Handles.h"
#include "forms/Picture.h"

#include <windows.h>

#include <vector>

// The looks of a skinned button, cut once from its picture strip into
// pictures of their own: one frame per look, all of one size, side by side.
class ButtonFrames {
public:
    // Cuts the style's frames from the strip and gives their size.
    ButtonRules::FrameSize Cut(HDC compatible, const forms::Picture& strip, long style);
    void Clear();
    // The frame showing a state; null without frames.
    const forms::Picture* Frame(int state, bool value, long style) const;

private:
    std::vector<forms::PicturePtr> frames_;
    bool hasFrames_ = false;
};

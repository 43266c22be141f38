#include "controls/ButtonFrames.h"

namespace {

// Copies one frame out of the strip into a bitmap of its own.
forms::PicturePtr CutFrame(HDC strip, int x, int y, int width, int height) {
    const forms::WindowDc screen(nullptr);
    const forms::MemoryDc target(CreateCompatibleDC(screen.get()));
    forms::GdiBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        const forms::SelectedObject selection(target.get(), bitmap.get());
        BitBlt(target.get(), 0, 0, width, height, strip, x, y, SRCCOPY);
    }
    return forms::Picture::FromBitmap(std::move(bitmap));
}

} // namespace

ButtonRules::FrameSize ButtonFrames::Cut(HDC compatible, const forms::Picture& strip, long style) {
    Clear();
    const auto size =
        ButtonRules::FrameSizeOf(strip.HimetricWidth(), strip.HimetricHeight(), style);
    const forms::MemoryDc source(CreateCompatibleDC(compatible));
    const forms::SelectedObject selection(source.get(), strip.Bitmap());
    for (int i = 0; i < ButtonRules::FrameCount(style); ++i) {
        const int left = ButtonRules::FrameLeft(i, strip.Width(), size.width, style);
        frames_.push_back(CutFrame(source.get(), left, 0, size.width, size.height));
    }
    hasFrames_ = true;
    return size;
}

void ButtonFrames::Clear() {
    frames_.clear();
    hasFrames_ = false;
}

const forms::Picture* ButtonFrames::Frame(int state, bool value, long style) const {
    if (!hasFrames_) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(ButtonRules::FrameIndex(state, value, style));
    return index < frames_.size() ? frames_[index].get() : nullptr;
}

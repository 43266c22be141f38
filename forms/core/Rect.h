#pragma once

namespace forms {

// A rectangle in pixels, right and bottom exclusive, as Windows gives them.
struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;

    long Width() const { return right - left; }
    long Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

} // namespace forms

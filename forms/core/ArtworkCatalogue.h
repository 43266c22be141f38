#pragma once

#include <vector>

namespace forms {

// How a program's bitmap resources are laid out. The forms library knows no
// resource ids: each executable installs its own catalogue at start.
class ArtworkCatalogue {
public:
    virtual ~ArtworkCatalogue() = default;
    // The id of the same drawing twice as large, for screens above 96 DPI;
    // 0 when there is none.
    virtual unsigned TwiceSize(unsigned id) const = 0;
    // The design widths of the cells a bitmap's pieces sit in, left to right
    // (frames of a button strip, pieces of a tab skin); scaled, each cell
    // keeps to itself. Empty for a bitmap that is one picture.
    virtual std::vector<int> Cells(unsigned id) const = 0;
};

} // namespace forms

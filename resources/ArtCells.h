#pragma once

#include <vector>

// The design widths of the cells that a bitmap's pieces sit in, left to
// right: frames of a button strip, pieces of a tab skin. Scaled, each cell
// keeps to itself. Empty for a bitmap that is one picture.
std::vector<int> ArtCellsOf(unsigned resourceId);

#pragma once

#include "tabs/uTab.h"

// Reaches into a strip for the tests and the benchmark: empties its kept
// pieces, so that the next drawing makes every piece anew.
class TabStripProbe {
public:
    static void ForgetPieces(uTab& strip) { strip.painter_.pieces_.Clear(); }
};

#include "resources/Artwork.h"

#include "resources/resource.h"

namespace resources {
namespace {

std::vector<int> CellsOf(unsigned resourceId) {
    auto frames = [](int count, int width) { return std::vector<int>(count, width); };
    switch (resourceId) {
    case IDB_MIN:
    case IDB_TOOL:
        return frames(3, 24);
    case IDB_MINMAX:
        return frames(6, 25);
    case IDB_CLOSE:
    case IDB_UPDATE_CLOSE:
        return frames(3, 43);
    case IDB_ANSWER:
        return frames(3, 75);
    case IDB_OTHER_USER:
        return frames(3, 99);
    case IDB_GAME_SPACE:
        return frames(3, 81);
    // Background column, three tabs, four close buttons.
    case IDB_TABS_LOW:
        return {1, 122, 122, 122, 12, 12, 12, 12};
    case IDB_TABS_HIGH:
        return {1, 124, 124, 124, 12, 12, 12, 12};
    default:
        return {};
    }
}

class Catalogue final : public forms::ArtworkCatalogue {
public:
    unsigned TwiceSize(unsigned id) const override { return id + IDR_TWICE_SIZE; }
    std::vector<int> Cells(unsigned id) const override { return CellsOf(id); }
};

// At namespace scope: a function's static would bring the runtime's
// thread-safe guard, and with it winpthreads, into the updater.
const Catalogue catalogue;

} // namespace

const forms::ArtworkCatalogue& Artwork() {
    return catalogue;
}

} // namespace resources

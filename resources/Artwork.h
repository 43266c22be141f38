#pragma once

#include "forms/core/ArtworkCatalogue.h"

namespace resources {

// The catalogue of the client's and the updater's bitmaps.
const forms::ArtworkCatalogue& Artwork();

} // namespace resources

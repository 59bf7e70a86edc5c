// Fuzz entry of the layout compiler's parser: the block as a layout's source text. A layout
// that parses lists its tiles by ascending layer, within the tile limit.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/model/LayoutSource.h"
#include "game/model/Tile.h"
#include "game/model/TileLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TileLayout layout;
    std::string error;
    if (!ParseLayoutSource(std::string_view(reinterpret_cast<const char*>(data), size), &layout, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (layout.Count() > TileLayout::kMaxTiles) std::abort();
    for (int i = 1; i < layout.Count(); ++i) {
        if (layout.TileAt(i)->z < layout.TileAt(i - 1)->z) std::abort();
    }
    return 0;
}

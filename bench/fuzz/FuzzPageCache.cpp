// Fuzz entry of the free-play page cache's text: the block as a page's "<p>.txt"; lines that
// read must hold what the game can show.
#include <cstdint>
#include <cstdlib>

#include "bench/fuzz/FuzzSupport.h"
#include "game/front/LayoutPageCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = FuzzScratchFolder() + "page.txt";
    if (!WriteFuzzFile(path, data, size)) return 0;
    LayoutPageCache::Lines lines;
    const int count = LayoutPageCache::ReadText(path.c_str(), &lines);
    if (count < -1 || count > LayoutPageCache::kSlots) std::abort();
    for (int i = 0; i < count; ++i) {
        if (lines[i].tiles < 0 || lines[i].freeTiles < 0 || lines[i].freeTiles > lines[i].tiles) std::abort();
    }
    return 0;
}

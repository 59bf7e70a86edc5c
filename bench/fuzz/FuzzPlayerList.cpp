// Fuzz entry of the player list: the block as "list.usr", as it comes and with its trailer
// mended, read through the file loader (which rebuilds the list from the folder when the file
// is unsound). A list that loads holds distinct ids of 0 or more.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"

namespace {

void Load(const uint8_t* data, size_t size) {
    if (!WriteFuzzFile(PlayerList::FileName().CStr(), data, size)) return;
    PlayerList list;
    if (!list.Load()) return;
    std::set<int32_t> ids;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i).id < 0 || !ids.insert(list.At(i).id).second) std::abort();
    }
    list.IndexOfCurrent();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PlayerFolders::Set(FuzzScratchFolder().c_str(), "/opt/quillomar/");
    Load(data, size);
    const std::vector<uint8_t> mended = WithRecordTrailer(data, size);
    Load(mended.data(), mended.size());
    return 0;
}

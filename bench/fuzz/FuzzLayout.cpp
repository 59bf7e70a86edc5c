// Fuzz entry of the layout resource and the dealer: the block as a "LAYOUTS" record, as it
// comes and with its trailer mended; a layout that reads is then dealt as a new game would be,
// on a clock that runs out the search's time within some tens of thousands of steps (the game's
// two seconds would let one input run for many seconds under the sanitizers).
#include <cstdint>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "framework/core/DataStream.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

uint32_t gTicks = 0;
// A tenth of a second on every reading, and the search reads the clock every thousand steps.
uint32_t SteppingClock() { return gTicks += 100; }

void ReadAndDeal(const uint8_t* data, size_t size, int percent) {
    TileLayout layout;
    DataStream stream;
    stream.OpenMemory(data, size);
    if (!layout.ParseLayout(&stream) || layout.Count() == 0) return;
    layout.ClearMarks(true);
    layout.UpdateFreeFlags();
    SRand(static_cast<uint32_t>(size));
    gTicks = 0;
    TileDealer dealer(SteppingClock);
    dealer.Deal(&layout, percent, 0, false);
    int pairs = 0;
    int left = 0;
    int kinds = 0;
    layout.CountMoves(&pairs, &left, &kinds);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int percent = size > 0 ? data[size - 1] % 101 : 25;
    ReadAndDeal(data, size, percent);
    const std::vector<uint8_t> mended = WithRecordTrailer(data, size);
    ReadAndDeal(mended.data(), mended.size(), percent);
    return 0;
}

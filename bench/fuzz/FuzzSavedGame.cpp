// Fuzz entry of the saved game: the block (after a first byte that picks one of the game's own
// layouts) as a saved record, as it comes and with its trailer mended, loaded against that
// layout for the mode, index and player the record names. A record that loads leaves a board
// the game can play from.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "framework/core/DataStream.h"
#include "game/model/LayoutSource.h"
#include "game/model/Tile.h"
#include "game/model/TileLayout.h"
#include "game/play/SavedGameRecord.h"

namespace {

namespace fs = std::filesystem;

// Every layout source of the game, compiled once.
const std::vector<std::unique_ptr<TileLayout>>& GameLayouts() {
    static const std::vector<std::unique_ptr<TileLayout>> layouts = [] {
        std::vector<fs::path> sources;
        for (const auto& entry : fs::directory_iterator(fs::path(QM_SOURCE_DIR) / "assets" / "layouts")) {
            if (entry.path().extension() == ".layout") sources.push_back(entry.path());
        }
        std::sort(sources.begin(), sources.end());
        std::vector<std::unique_ptr<TileLayout>> parsed;
        for (const fs::path& path : sources) {
            std::ifstream in(path, std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            auto layout = std::make_unique<TileLayout>();
            std::string error;
            if (ParseLayoutSource(text, layout.get(), &error)) parsed.push_back(std::move(layout));
        }
        if (parsed.empty()) std::abort();
        return parsed;
    }();
    return layouts;
}

void Load(const TileLayout& layout, const uint8_t* data, size_t size) {
    // What the record says it is, so that the loader's checks of mode, index and player can pass.
    SavedGameRecord probe(nullptr);
    DataStream stream;
    stream.OpenMemory(data, size);
    probe.SerializeState(&stream);

    TileLayout board;
    for (int i = 0; i < layout.Count(); ++i) {
        const Tile* tile = layout.TileAt(i);
        auto copy = std::make_unique<Tile>(tile->x, tile->y, tile->z, tile->kind);
        copy->fixed = tile->fixed;
        board.Append(std::move(copy));
    }
    SavedGameRecord record(&board);
    if (!record.LoadFrom({data, size}, probe.mode, probe.index, probe.playerId)) return;
    if (record.moveNumber < 0 || record.score < 0 || record.elapsed > SavedGameRecord::kMaxSeconds ||
        board.Count() != layout.Count()) {
        std::abort();
    }
    board.UpdateFreeFlags();
    int pairs = 0;
    int left = 0;
    int kinds = 0;
    board.CountMoves(&pairs, &left, &kinds);
}

}  // namespace

// The layouts are read before the first input, so their reading is not timed as part of it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    GameLayouts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto& layouts = GameLayouts();
    const TileLayout& layout = *layouts[data[0] % layouts.size()];
    Load(layout, data + 1, size - 1);
    const std::vector<uint8_t> mended = WithRecordTrailer(data + 1, size - 1);
    Load(layout, mended.data(), mended.size());
    return 0;
}

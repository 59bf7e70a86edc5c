#include "game/front/StoryLevelTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/core/TextResource.h"
#include "game/model/LayoutSource.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

std::string ReadSource(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::filesystem::path& Assets() {
    static const std::filesystem::path assets = std::filesystem::path(QM_SOURCE_DIR) / "assets";
    return assets;
}

StoryLevelTable Parse(std::string_view text, int* taken) {
    MemoryResources module;
    module.Add(kTextType, StoryLevelTable::kTextId, text);
    TextResource resource;
    StoryLevelTable table;
    *taken = resource.Open(StoryLevelTable::kTextId, TextResource::kAnsi, &module)
                 ? table.Load(resource)
                 : -1;
    return table;
}

StoryLevelTable CommittedTable() {
    int taken = 0;
    StoryLevelTable table = Parse(ReadSource(Assets() / "pack" / "TXT" / "383-level-table.txt"), &taken);
    EXPECT_EQ(taken, kStoryLevelCount);
    return table;
}

// The committed layout of a story level, as the game's layout resource holds it.
bool LoadStoryLayout(int level, TileLayout* layout) {
    const std::string prefix = std::to_string(StoryLayoutId(level)) + "-";
    for (const auto& entry : std::filesystem::directory_iterator(Assets() / "layouts")) {
        if (entry.path().extension() != ".layout" || entry.path().filename().string().rfind(prefix, 0) != 0)
            continue;
        std::string error;
        const bool parsed = ParseLayoutSource(ReadSource(entry.path()), layout, &error);
        EXPECT_TRUE(parsed) << error;
        return parsed;
    }
    ADD_FAILURE() << "no layout for level " << level;
    return false;
}

TileDealer::Result DealAsTheGame(TileDealer* dealer, TileLayout* layout, int32_t percent, uint32_t seed) {
    layout->ClearMarks(true);
    layout->UpdateFreeFlags();
    SRand(seed);
    return dealer->Deal(layout, percent, 0, false);
}

}  // namespace

TEST(StoryLevelTable, FieldsComeFromTabSeparatedLinesInOrder) {
    int taken = 0;
    StoryLevelTable table =
        Parse("85\t1000\tYu tames the flood\r\n\r\n-5\t4294967295\tClock\tignored\n40\t7\n", &taken);
    EXPECT_EQ(taken, 3);
    EXPECT_EQ(table.At(0).percent, 85);
    EXPECT_EQ(table.At(0).seed, 1000u);
    EXPECT_EQ(table.At(0).caption, "Yu tames the flood");
    EXPECT_EQ(table.At(1).percent, -5);
    EXPECT_EQ(table.At(1).seed, StoryLevelRecord::kClockSeed);
    EXPECT_EQ(table.At(1).caption, "Clock");
    EXPECT_EQ(table.At(2).seed, 7u);
    EXPECT_EQ(table.At(2).caption, "");
    // Levels without a line deal from the clock.
    EXPECT_EQ(table.At(3).seed, StoryLevelRecord::kClockSeed);
    EXPECT_EQ(table.At(3).percent, 0);
    EXPECT_EQ(table.At(-4).caption, table.At(0).caption);
}

TEST(StoryLevelTable, LinesBeyondTheLastLevelAndGarbageAreSafe) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += std::to_string(i) + "\t" + std::to_string(i * 2) + "\tL\n";
    int taken = 0;
    StoryLevelTable table = Parse(text, &taken);
    EXPECT_EQ(taken, kStoryLevelCount);
    EXPECT_EQ(table.At(51).percent, 51);
    EXPECT_EQ(table.At(99).percent, 51);

    table = Parse("many\tnumbers\n\t\t\t\n", &taken);
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(table.At(0).percent, 0);
    EXPECT_EQ(table.At(0).seed, 0u);

    EXPECT_EQ(StoryLevelTable().LoadFromAssets(), 0);  // no asset module
}

// The committed level table and story layouts: each level dealt as the game deals it, at its own
// percent and seed, can be cleared. A level seeded from the clock is tried at a few seeds.
TEST(StoryLevelTable, EveryStoryLevelDealsSolvableAtItsOwnPercentAndSeed) {
    const StoryLevelTable table = CommittedTable();
    TileDealer dealer;
    for (int level = 0; level < kStoryLevelCount; ++level) {
        const StoryLevelRecord& record = table.At(level);
        TileLayout layout;
        ASSERT_TRUE(LoadStoryLayout(level, &layout));
        const std::vector<uint32_t> seeds = record.seed == StoryLevelRecord::kClockSeed
                                                ? std::vector<uint32_t>{1u, 77u, 40503u}
                                                : std::vector<uint32_t>{record.seed};
        for (uint32_t seed : seeds) {
            EXPECT_EQ(DealAsTheGame(&dealer, &layout, record.percent, seed), TileDealer::Result::kSolvable)
                << "level " << level << " percent " << record.percent << " seed " << seed;
        }
    }
}

// The first level's board follows from its seed, tile by tile: the groups the search takes first
// from the full board get their kinds first. These kinds were worked out from the seed by
// following the dealing rules step by step, apart from this code.
TEST(StoryLevelTable, TheFirstLevelDealsTheKindsItsSeedGives) {
    const StoryLevelRecord record = CommittedTable().At(0);
    TileLayout layout;
    ASSERT_TRUE(LoadStoryLayout(0, &layout));
    TileDealer dealer;
    ASSERT_EQ(DealAsTheGame(&dealer, &layout, record.percent, record.seed), TileDealer::Result::kSolvable);
    std::vector<TileKind> kinds;
    for (Tile* tile = layout.First(); tile; tile = layout.Next()) kinds.push_back(tile->kind);
    EXPECT_EQ(kinds, (std::vector<TileKind>{32, 32, 15, 29, 24, 6,  31, 31, 33, 33, 33, 43, 15, 43, 14,
                                            29, 6,  24, 24, 29, 24, 6,  14, 22, 22, 29, 14, 33, 6,  14}));
}

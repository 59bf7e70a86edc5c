#include "game/front/StoryLevelTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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
// percent and seed, can be cleared, and the first one is the board its seed gives, tile by tile.
// A level seeded from the clock is tried at a few seeds.
TEST(StoryLevelTable, EveryStoryLevelDealsSolvableAtItsOwnPercentAndSeedTheFirstAsItsSeedGives) {
    const std::filesystem::path assets = std::filesystem::path(QM_SOURCE_DIR) / "assets";
    int taken = 0;
    const StoryLevelTable table = Parse(ReadSource(assets / "pack" / "TXT" / "383-level-table.txt"), &taken);
    ASSERT_EQ(taken, kStoryLevelCount);
    std::map<int, std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(assets / "layouts"))
        if (entry.path().extension() == ".layout") sources[std::stoi(entry.path().filename().string())] = entry.path();
    TileDealer dealer;
    for (int level = 0; level < kStoryLevelCount; ++level) {
        const StoryLevelRecord& record = table.At(level);
        ASSERT_TRUE(sources.count(StoryLayoutId(level))) << level;
        TileLayout layout;
        std::string error;
        ASSERT_TRUE(ParseLayoutSource(ReadSource(sources[StoryLayoutId(level)]), &layout, &error)) << error;
        const std::vector<uint32_t> seeds = record.seed == StoryLevelRecord::kClockSeed
                                                ? std::vector<uint32_t>{1u, 77u, 40503u}
                                                : std::vector<uint32_t>{record.seed};
        for (uint32_t seed : seeds) {
            layout.ClearMarks(true);
            layout.UpdateFreeFlags();
            SRand(seed);
            EXPECT_EQ(dealer.Deal(&layout, record.percent, 0, false), TileDealer::Result::kSolvable)
                << "level " << level << " percent " << record.percent << " seed " << seed;
        }
        std::vector<TileKind> kinds;
        for (Tile* tile = layout.First(); tile; tile = layout.Next()) kinds.push_back(tile->kind);
        // The second level's seasons are one group of four, whose tiles take their faces in the
        // reverse of the order the search recorded them, as groups take their kinds.
        if (level == 1)
            EXPECT_EQ((std::vector<TileKind>{kinds[5], kinds[21], kinds[26], kinds[39]}),
                      (std::vector<TileKind>{35, 37, 38, 36}));
        if (level > 0) continue;
        // The groups the search takes first from the full board get their kinds first. These
        // kinds were worked out from the seed by following the dealing rules by hand.
        EXPECT_EQ(kinds, (std::vector<TileKind>{32, 32, 15, 29, 24, 6,  31, 31, 33, 33, 33, 43, 15, 43, 14,
                                                29, 6,  24, 24, 29, 24, 6,  14, 22, 22, 29, 14, 33, 6,  14}));
    }
}

#include "game/model/LayoutCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "game/model/CampaignTables.h"
#include "game/model/LayoutSource.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

void Row(TileLayout* layout, int n, int y = 0, int z = 0, int x0 = 0)
{
    for (int i = 0; i < n; ++i)
        layout->AddTile(x0 + 2 * i, y, z, 0);
}

bool Has(const std::vector<std::string>& faults, const std::string& fault)
{
    return std::any_of(faults.begin(), faults.end(),
                       [&](const std::string& f) { return f.find(fault) != std::string::npos; });
}

TEST(LayoutCheck, SoundLayoutPasses)
{
    TileLayout layout;
    layout.SetName("Twelve Tiles Long 20");
    Row(&layout, 12);
    Row(&layout, 4, 0, 1, 4);
    EXPECT_TRUE(CheckLayout(layout).empty());
    EXPECT_TRUE(CheckFreePlayLayout(layout).empty());
}

TEST(LayoutCheck, EachRuleFindsItsFault)
{
    struct Case {
        const char* fault;
        void (*build)(TileLayout*);
    };
    const Case cases[] = {
        {"no name", [](TileLayout* l) { Row(l, 2); }},
        {"longer than 20", [](TileLayout* l) { l->SetName("Twenty-one characters"); Row(l, 2); }},
        {"tab", [](TileLayout* l) { l->SetName("Tab\there"); Row(l, 2); }},
        {"line break", [](TileLayout* l) { l->SetName("Two\nlines"); Row(l, 2); }},
        {"fewer than two", [](TileLayout* l) { l->SetName("One"); Row(l, 1); }},
        {"more than 144", [](TileLayout* l) { l->SetName("Many"); for (int y = 0; y < 9; ++y) Row(l, 17, 2 * y); }},
        {"odd number", [](TileLayout* l) { l->SetName("Odd"); Row(l, 3); }},
        {"overlaps", [](TileLayout* l) { l->SetName("Clash"); Row(l, 2); l->AddTile(1, 1, 0, 0); l->AddTile(9, 0, 0, 0); }},
        {"higher layer", [](TileLayout* l) { l->SetName("Order"); l->AddTile(0, 0, 1, 0); l->AddTile(0, 0, 0, 0); }},
        {"has kind 48", [](TileLayout* l) { l->SetName("Kind"); Row(l, 2); l->TileAt(0)->kind = 48; l->TileAt(1)->kind = 48; }},
        {"800 x 452 board", [](TileLayout* l) { l->SetName("Wide"); Row(l, 19); }},
        {"800 x 452 board", [](TileLayout* l) { l->SetName("Tall"); l->AddTile(0, 0, 0, 0); l->AddTile(0, 16, 0, 0); }},
        {"203 x 153 cell", [](TileLayout* l) { l->SetName("Tall Preview"); l->AddTile(0, 0, 0, 0); l->AddTile(0, 22, 0, 0); }},
    };
    for (const Case& c : cases) {
        TileLayout layout;
        c.build(&layout);
        EXPECT_TRUE(Has(CheckLayout(layout), c.fault)) << c.fault;
    }
}

TEST(LayoutCheck, EmptyLayoutLacksOnlyItsTiles)
{
    TileLayout layout;
    layout.SetName("Empty");
    const auto faults = CheckLayout(layout);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_TRUE(Has(faults, "fewer than two"));
}

TEST(LayoutCheck, BoardFitsItsLimitsExactly)
{
    // 18 tiles across take 21 x 34 + 48 = 762 pixels and each layer shifts 6 to the right;
    // rows 0 to 14 take 26 x 14 + 58 = 422 and each layer shifts 6 up.
    auto build = [](int rightLayer, int leftLayer) {
        auto layout = std::make_unique<TileLayout>();
        layout->SetName("Edges");
        Row(layout.get(), 18);
        layout->AddTile(0, 14, 0, 0);
        layout->AddTile(0, 0, leftLayer, 0);
        layout->AddTile(34, 14, rightLayer, 0);
        return layout;
    };
    EXPECT_FALSE(Has(CheckLayout(*build(6, 5)), "board"));
    EXPECT_TRUE(Has(CheckLayout(*build(7, 5)), "board"));
    EXPECT_TRUE(Has(CheckLayout(*build(6, 6)), "board"));
}

TEST(LayoutCheck, StoryLevelsNeedTheirSpecials)
{
    // The first exit pair lies in the middle of a long row, eight tiles from either end.
    auto story = [](std::initializer_list<TileKind> kinds) {
        auto layout = std::make_unique<TileLayout>();
        layout->SetName("Level");
        const int exits = static_cast<int>(std::count(kinds.begin(), kinds.end(), kKindExit));
        for (int i = 0; i < 18; ++i)
            layout->AddTile(2 * i, 0, 0, (i == 8 || i == 9) && exits >= i - 7 ? kKindExit : 0);
        int x = -2;
        int row = 0;
        for (TileKind kind : kinds) {
            if (kind != kKindExit || ++row > 2)
                layout->AddTile(x += 2, 2, 0, kind);
        }
        return layout;
    };
    EXPECT_TRUE(CheckStoryLayout(*story({43, 43}), 0).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43}), 0), "one exit pair"));
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43, 43, 43}), 0), "one exit pair"));
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43}), 1), "two flowers"));
    EXPECT_TRUE(CheckStoryLayout(*story({43, 43, 39, 42}), 1).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43}), 3), "complementary pair"));
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43, 44}), 3), "needs its second"));
    EXPECT_TRUE(CheckStoryLayout(*story({43, 43, 44, 45}), 3).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43, 46}), 7), "47"));
    EXPECT_TRUE(CheckStoryLayout(*story({43, 43, 47}), 7).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43, 47}), 12), "46"));
    EXPECT_TRUE(CheckStoryLayout(*story({43, 43, 46}), 12).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story({43, 43}), 52), "no story level"));
    EXPECT_TRUE(Has(CheckFreePlayLayout(*story({43, 43})), "presets no kinds"));
}

TEST(LayoutCheck, StoryExitTilesLieBuried)
{
    // An exit pair `depth` tiles from the ends of a row of 18.
    auto story = [](int depth) {
        auto layout = std::make_unique<TileLayout>();
        layout->SetName("Level");
        for (int i = 0; i < 18; ++i)
            layout->AddTile(2 * i, 0, 0, i == depth || i == 17 - depth ? kKindExit : 0);
        return layout;
    };
    EXPECT_TRUE(Has(CheckStoryLayout(*story(0), 0), "free after 0 removals"));
    EXPECT_TRUE(CheckStoryLayout(*story(4), 0).empty());
    EXPECT_TRUE(Has(CheckStoryLayout(*story(4), 2), "free after 4 removals, not 8"));
    EXPECT_TRUE(CheckStoryLayout(*story(8), 2).empty());
    // Under a row of three, an exit tile one from the end takes the tile on it, a neighbour of
    // that tile and the end tile below.
    auto covered = story(1);
    for (int x : {0, 2, 4, 30, 32, 34})
        covered->AddTile(x, 0, 1, 0);
    EXPECT_TRUE(Has(CheckStoryLayout(*covered, 0), "free after 3 removals, not 4"));
}

// The committed sources of the game's layouts: every one parses, keeps the rules of its kind
// and deals solvable.
TEST(LayoutCheck, TheGamesLayoutsKeepEveryRule)
{
    const std::filesystem::path dir = std::filesystem::path(QM_SOURCE_DIR) / "assets" / "layouts";
    std::set<int> ids;
    std::set<std::string> names;
    TileDealer dealer;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".layout")
            continue;
        const std::string file = entry.path().filename().string();
        const int id = std::stoi(file);
        ids.insert(id);
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        TileLayout layout;
        std::string error;
        ASSERT_TRUE(ParseLayoutSource(text.str(), &layout, &error)) << file << ": " << error;
        names.insert(layout.Name().CStr());
        const auto faults = id < 437 ? CheckStoryLayout(layout, id - 385) : CheckFreePlayLayout(layout);
        for (const std::string& fault : faults)
            ADD_FAILURE() << file << ": " << fault;
        layout.UpdateFreeFlags();
        SRand(static_cast<uint32_t>(id));
        EXPECT_EQ(dealer.Deal(&layout, 50, 0, false), TileDealer::Result::kSolvable) << file;
    }
    EXPECT_EQ(ids.size(), 178u);
    EXPECT_EQ(*ids.begin(), 385);
    EXPECT_EQ(*ids.rbegin(), 562);
    EXPECT_EQ(names.size(), 178u) << "every layout has its own name";
}

// Once the story has shown every special tile, each later dynasty keeps them all in play, in at
// least two thirds of its levels.
TEST(LayoutCheck, LaterDynastiesKeepEverySpecialInPlay)
{
    const std::set<TileKind> all{kKindComplementFirst, kKindComplementSecond, kKindWildAll, kKindWildOne};
    std::map<int, std::set<TileKind>> kinds;  // by dynasty
    std::map<int, int> holding;               // levels with a special, by dynasty
    const std::filesystem::path dir = std::filesystem::path(QM_SOURCE_DIR) / "assets" / "layouts";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const int level = std::atoi(entry.path().filename().c_str()) - kFirstStoryLayoutId;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        TileLayout layout;
        if (level < 0 || level >= kStoryLevelCount || !ParseLayoutSource(text.str(), &layout, nullptr))
            continue;
        const int dynasty = LevelToDynasty(level).dynasty;
        std::set<TileKind> found;
        for (int i = 0; i < layout.Count(); ++i)
            if (all.count(layout.TileAt(i)->kind))
                found.insert(layout.TileAt(i)->kind);
        kinds[dynasty].insert(found.begin(), found.end());
        holding[dynasty] += !found.empty();
    }
    int dynasty = 0;
    for (std::set<TileKind> shown; dynasty < kDynastyCount && shown != all; ++dynasty)
        shown.insert(kinds[dynasty].begin(), kinds[dynasty].end());
    ASSERT_LT(dynasty, kDynastyCount);
    for (; dynasty < kDynastyCount; ++dynasty) {
        EXPECT_EQ(kinds[dynasty], all) << DynastyName(dynasty);
        EXPECT_GE(3 * holding[dynasty], 2 * LevelToDynasty(DynastyFirstLevel(dynasty)).count) << DynastyName(dynasty);
    }
}

}  // namespace

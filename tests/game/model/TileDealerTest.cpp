#include "game/model/TileDealer.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <unordered_set>
#include <vector>

#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

// Rows of tiles on layer 0 with a smaller pyramid on top: 34 tiles.
void BuildPyramid(TileLayout* layout)
{
    for (int y = 0; y <= 6; y += 2)
        for (int x = 0; x <= 10; x += 2)
            layout->AddTile(x, y, 0, 0);
    for (int y = 2; y <= 4; y += 2)
        for (int x = 2; x <= 8; x += 2)
            layout->AddTile(x, y, 1, 0);
    layout->AddTile(4, 3, 2, 0);
    layout->AddTile(6, 3, 2, 0);
}

// A flat field of n tiles, 12 to a row.
void BuildField(TileLayout* layout, int n)
{
    for (int i = 0; i < n; ++i)
        layout->AddTile((i % 12) * 2, (i / 12) * 2, 0, 0);
}

std::vector<TileKind> Kinds(TileLayout* layout)
{
    std::vector<TileKind> kinds;
    for (Tile* t = layout->First(); t; t = layout->Next())
        kinds.push_back(t->kind);
    return kinds;
}

TileDealer::Result DealNew(TileDealer* dealer, TileLayout* layout, int percent, uint32_t seed)
{
    layout->ClearMarks(true);
    layout->UpdateFreeFlags();
    SRand(seed);
    return dealer->Deal(layout, percent, 0, false);
}

// Clears the board by trying every matching pair of free tiles, remembering dead ends.
bool Clearable(TileLayout* layout, uint64_t removed, std::unordered_set<uint64_t>* dead)
{
    const int n = layout->Count();
    if (removed == (n == 64 ? ~0ull : (1ull << n) - 1))
        return true;
    if (dead->count(removed))
        return false;
    for (int i = 0; i < n; ++i) {
        Tile* a = layout->TileAt(i);
        if ((removed >> i & 1) || !layout->IsFree(a->x, a->y, a->z))
            continue;
        for (int j = i + 1; j < n; ++j) {
            Tile* b = layout->TileAt(j);
            if ((removed >> j & 1) || !SameKind(a->kind, b->kind) || !layout->IsFree(b->x, b->y, b->z))
                continue;
            a->removedAt = b->removedAt = 1;
            const bool ok = Clearable(layout, removed | 1ull << i | 1ull << j, dead);
            a->removedAt = b->removedAt = 0;
            if (ok)
                return true;
        }
    }
    dead->insert(removed);
    return false;
}

bool Clearable(TileLayout* layout)
{
    std::unordered_set<uint64_t> dead;
    return Clearable(layout, 0, &dead);
}

TEST(TileDealerPool, FullBatchFillsEverySlotWhateverThePercent)
{
    struct Case {
        int percent;
        int quads;
        int pairs;
    };
    const Case cases[] = {{85, 30, 12}, {0, 0, 72}, {100, 36, 0}, {50, 18, 36},
                          {-40, 0, 72}, {250, 36, 0}, {1000000, 36, 0}};
    for (const Case& c : cases) {
        TileLayout layout;
        BuildField(&layout, 144);
        TileDealer dealer;
        DealNew(&dealer, &layout, c.percent, 7);
        EXPECT_EQ(dealer.TotalQuads(), c.quads) << c.percent;
        EXPECT_EQ(dealer.TotalPairs(), c.pairs) << c.percent;
        std::map<TileKind, int> counts;
        for (TileKind kind : Kinds(&layout))
            ++counts[FoldKind(kind)];
        ASSERT_EQ(counts.size(), 36u) << c.percent;
        for (const auto& [kind, count] : counts) {
            EXPECT_GE(kind, 1);
            EXPECT_EQ(count, kind >= 35 ? 4 : 4) << "kind " << kind << " at " << c.percent;
        }
    }
}

TEST(TileDealerPool, LargeLayoutsDealInBatches)
{
    TileLayout layout;
    BuildField(&layout, 146);
    TileDealer dealer;
    DealNew(&dealer, &layout, 0, 3);
    EXPECT_EQ(dealer.TotalPairs(), 73);
    EXPECT_EQ(layout.CountUndealt(), 0);
    std::map<TileKind, int> counts;
    for (TileKind kind : Kinds(&layout))
        ++counts[FoldKind(kind)];
    for (const auto& [kind, count] : counts)
        EXPECT_EQ(count % 2, 0) << kind;
}

TEST(TileDealerDeal, SameSeedSameDealAndClearable)
{
    for (const int percent : {0, 50, 100}) {
        TileLayout a;
        TileLayout b;
        BuildPyramid(&a);
        BuildPyramid(&b);
        TileDealer dealer;
        EXPECT_EQ(DealNew(&dealer, &a, percent, 1234), TileDealer::Result::kSolvable);
        EXPECT_EQ(DealNew(&dealer, &b, percent, 1234), TileDealer::Result::kSolvable);
        EXPECT_EQ(Kinds(&a), Kinds(&b));
        EXPECT_TRUE(Clearable(&a)) << percent;

        // The search leaves the marks as it found them.
        for (Tile* t = a.First(); t; t = a.Next()) {
            EXPECT_EQ(t->removedAt, 0);
            EXPECT_EQ(t->group, 0);
            EXPECT_FALSE(t->quad);
            EXPECT_EQ(t->free, a.IsFree(t->x, t->y, t->z));
        }
    }
    TileLayout other;
    BuildPyramid(&other);
    TileLayout again;
    BuildPyramid(&again);
    TileDealer dealer;
    DealNew(&dealer, &other, 50, 1);
    DealNew(&dealer, &again, 50, 2);
    EXPECT_NE(Kinds(&other), Kinds(&again));
}

TEST(TileDealerDeal, EveryDealOfManySeedsClears)
{
    TileDealer dealer;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        TileLayout layout;
        BuildPyramid(&layout);
        ASSERT_EQ(DealNew(&dealer, &layout, static_cast<int>(seed * 7 % 101), seed),
                  TileDealer::Result::kSolvable);
        EXPECT_EQ(layout.CountUndealt(), 0);
        EXPECT_TRUE(Clearable(&layout)) << seed;
    }
}

TEST(TileDealerDeal, OddOrEmptyDealsNothing)
{
    TileLayout odd;
    BuildField(&odd, 5);
    TileDealer dealer;
    EXPECT_EQ(DealNew(&dealer, &odd, 50, 1), TileDealer::Result::kNothing);
    EXPECT_EQ(odd.CountUndealt(), 5);
    TileLayout empty;
    EXPECT_EQ(DealNew(&dealer, &empty, 50, 1), TileDealer::Result::kNothing);
    EXPECT_EQ(dealer.Deal(nullptr, 50, 0, false), TileDealer::Result::kNothing);
}

TEST(TileDealerDeal, PresetSpecialsAreKeptAndDealtAround)
{
    TileLayout layout;
    BuildPyramid(&layout);
    layout.AddTile(16, 0, 0, 43);
    layout.AddTile(16, 6, 0, 43);
    layout.AddTile(20, 0, 0, 44);
    layout.AddTile(20, 6, 0, 45);
    layout.AddTile(24, 0, 0, 47);
    layout.AddTile(24, 6, 0, 46);
    layout.AddTile(28, 0, 0, 39);
    layout.AddTile(28, 6, 0, 41);
    TileDealer dealer;
    EXPECT_EQ(DealNew(&dealer, &layout, 60, 99), TileDealer::Result::kSolvable);
    const std::vector<TileKind> kinds = Kinds(&layout);
    const std::vector<TileKind> presets(kinds.end() - 8, kinds.end());
    EXPECT_EQ(presets, (std::vector<TileKind>{43, 43, 44, 45, 47, 46, 39, 41}));
    EXPECT_EQ(layout.CountUndealt(), 0);
    for (Tile* t = layout.First(); t; t = layout.Next())
        EXPECT_EQ(t->removedAt, 0);
}

TEST(TileDealerDeal, PresetKindsBeyondFourCopiesStillEnd)
{
    TileLayout layout;
    BuildField(&layout, 140);
    for (int i = 0; i < 6; ++i)
        layout.AddTile(i * 2, 30, 0, 5);
    TileDealer dealer;
    const auto result = DealNew(&dealer, &layout, 100, 5);
    EXPECT_NE(result, TileDealer::Result::kNothing);
    EXPECT_EQ(layout.CountUndealt(), 0);
    for (TileKind kind : Kinds(&layout)) {
        EXPECT_GE(kind, 1);
        EXPECT_LE(kind, 42);
    }
}

uint32_t g_now = 0;
uint32_t g_step = 0;
uint32_t FakeClock()
{
    g_now += g_step;
    return g_now;
}

TEST(TileDealerBudget, WrappingClockDoesNotEndTheSearch)
{
    g_now = 0xFFFFFFFFu - 5;
    g_step = 1;
    TileLayout layout;
    BuildField(&layout, 144);
    TileDealer dealer(&FakeClock);
    EXPECT_EQ(DealNew(&dealer, &layout, 40, 8), TileDealer::Result::kSolvable);
}

TEST(TileDealerBudget, SpentBudgetFallsBackToRandomKinds)
{
    // A pyramid the search cannot clear: a single tile on top of a pair forced to the end.
    TileLayout layout;
    layout.AddTile(0, 0, 0, 0);
    layout.AddTile(2, 0, 0, 0);
    layout.AddTile(4, 0, 0, 0);
    layout.AddTile(2, 0, 1, 0);
    layout.AddTile(2, 0, 2, 0);
    layout.AddTile(2, 0, 3, 0);
    g_now = 100;
    g_step = 0;
    TileDealer dealer(&FakeClock);
    EXPECT_EQ(DealNew(&dealer, &layout, 50, 4), TileDealer::Result::kRandom);
    EXPECT_EQ(layout.CountUndealt(), 0);

    // Loose preset pairs and a season and a flower that match nothing: the search would try
    // every order of the pairs; the clock, read once every thousand steps, ends it.
    TileLayout late;
    for (int i = 0; i < 72; ++i) {
        const TileKind kind = i < 68 ? i % 34 + 1 : i == 68 ? 35 : i == 69 ? 39 : 0;
        late.AddTile((i % 12) * 4, (i / 12) * 4, 0, kind);
    }
    g_now = 0;
    g_step = 2001;
    TileDealer slow(&FakeClock);
    EXPECT_EQ(DealNew(&slow, &late, 50, 4), TileDealer::Result::kRandom);
    EXPECT_EQ(g_now, 2 * 2001u) << "the start and one reading past the budget";
    EXPECT_EQ(late.CountUndealt(), 0);
    const auto& pool = slow.Pool();
    EXPECT_EQ(std::accumulate(pool.begin(), pool.end(), 0), 0) << "the pool is dealt out";
}

TEST(TileDealerReshuffle, KeepsKindCountsAndPresets)
{
    TileLayout layout;
    BuildPyramid(&layout);
    layout.AddTile(16, 0, 0, 43);
    layout.AddTile(16, 6, 0, 43);
    TileDealer dealer;
    ASSERT_EQ(DealNew(&dealer, &layout, 50, 11), TileDealer::Result::kSolvable);
    // Take a few free pairs off first.
    layout.TileAt(0)->removedAt = 1;
    layout.TileAt(5)->removedAt = 1;
    const std::vector<TileKind> before = Kinds(&layout);
    std::map<TileKind, int> onBoard;
    for (Tile* t = layout.First(); t; t = layout.Next())
        onBoard[t->kind] += t->OnBoard();

    layout.UpdateFreeFlags();
    SRand(77);
    dealer.Deal(&layout, 50, 2, true);
    const std::vector<TileKind> after = Kinds(&layout);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[5], before[5]);
    EXPECT_EQ(after[34], 43);
    EXPECT_EQ(after[35], 43);
    std::map<TileKind, int> reshuffled;
    for (Tile* t = layout.First(); t; t = layout.Next())
        reshuffled[t->kind] += t->OnBoard();
    EXPECT_EQ(reshuffled, onBoard);
    EXPECT_NE(after, before);
}

// A matched complementary pair's 45 is off the board and waits for no 44.
TEST(TileDealerReshuffle, AMatchedComplementaryPairDoesNotBlockTheSearch)
{
    TileLayout layout;
    BuildPyramid(&layout);
    layout.AddTile(16, 0, 0, kKindComplementFirst);
    layout.AddTile(16, 6, 0, kKindComplementSecond);
    TileDealer dealer;
    ASSERT_EQ(DealNew(&dealer, &layout, 50, 21), TileDealer::Result::kSolvable);
    layout.TileAt(34)->removedAt = layout.TileAt(35)->removedAt = 1;
    layout.UpdateFreeFlags();
    SRand(5);
    EXPECT_EQ(dealer.Deal(&layout, 50, 1, true), TileDealer::Result::kSolvable);
}

TEST(TileDealerReshuffle, OddCountsStillDealEveryTile)
{
    TileLayout layout;
    BuildField(&layout, 7);
    const TileKind kinds[] = {3, 3, 9, 9, 9, 38, 36};
    for (int i = 0; i < 7; ++i)
        layout.TileAt(i)->kind = kinds[i];
    layout.UpdateFreeFlags();
    TileDealer dealer;
    SRand(1);
    EXPECT_EQ(dealer.Deal(&layout, 50, 0, true), TileDealer::Result::kRandom);
    std::map<TileKind, int> counts;
    for (TileKind kind : Kinds(&layout))
        ++counts[kind];
    EXPECT_EQ(counts, (std::map<TileKind, int>{{3, 2}, {9, 3}, {36, 1}, {38, 1}}));
}

}  // namespace

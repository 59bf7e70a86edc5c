#include "game/model/TileLayout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "framework/core/Crc32.h"
#include "framework/core/DataStream.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

using Spec = std::tuple<int, int, int, TileKind>;

void Fill(TileLayout* layout, std::initializer_list<Spec> tiles)
{
    for (const auto& [x, y, z, kind] : tiles)
        layout->AddTile(x, y, z, kind);
}

// The board's placement of a tile, 48 x 58 pixels.
void PlaceOnScreen(TileLayout* layout)
{
    for (Tile* t = layout->First(); t; t = layout->Next()) {
        const int left = 6 * t->z + 21 * t->x - 6;
        const int top = 26 * t->y - 6 * t->z + 6;
        t->screenRect = {left, top, left + 48, top + 58};
    }
}

std::vector<uint8_t> Write(TileLayout* layout)
{
    DataStream stream;
    stream.OpenWriteMemory();
    layout->SerializeLayout(&stream);
    const auto written = stream.Written();
    return {written.begin(), written.end()};
}

bool Parse(TileLayout* layout, const std::vector<uint8_t>& bytes)
{
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    return layout->ParseLayout(&stream);
}

void AppendCrc(std::vector<uint8_t>* bytes)
{
    const uint32_t crc = Crc32(bytes->data(), bytes->size());
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes->push_back(static_cast<uint8_t>(crc >> shift));
}

TEST(TileLayoutFree, SidesAndCover)
{
    struct Case {
        const char* what;
        std::vector<Spec> others;
        bool free;
    };
    const Case cases[] = {
        {"alone", {}, true},
        {"left only", {{8, 10, 0, 0}}, true},
        {"right only", {{12, 10, 0, 0}}, true},
        {"both sides", {{8, 10, 0, 0}, {12, 10, 0, 0}}, false},
        {"both sides half a row off", {{8, 9, 0, 0}, {12, 11, 0, 0}}, false},
        {"side two rows off does not count", {{8, 12, 0, 0}, {12, 10, 0, 0}}, true},
        {"sides on another layer", {{8, 10, 1, 0}, {12, 10, 1, 0}}, true},
        {"covered straight", {{10, 10, 1, 0}}, false},
        {"covered half off both ways", {{11, 11, 1, 0}}, false},
        {"covered half off the other way", {{9, 9, 1, 0}}, false},
        {"above but a whole tile off", {{12, 12, 1, 0}}, true},
        {"above two columns off", {{12, 10, 1, 0}}, true},
        {"two layers up does not cover", {{10, 10, 2, 0}}, true},
    };
    for (const Case& c : cases) {
        TileLayout layout;
        layout.AddTile(10, 10, 0, 0);
        for (const auto& [x, y, z, kind] : c.others)
            layout.AddTile(x, y, z, kind);
        EXPECT_EQ(layout.IsFree(10, 10, 0), c.free) << c.what;
    }
}

TEST(TileLayoutFree, RemovedTilesNeitherBlockNorChange)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}, {2, 0, 1, 0}});
    layout.UpdateFreeFlags();
    EXPECT_TRUE(layout.TileAt(0)->free);
    EXPECT_FALSE(layout.TileAt(1)->free);
    EXPECT_TRUE(layout.TileAt(3)->free);

    layout.TileAt(0)->removedAt = 1;
    layout.TileAt(3)->removedAt = 1;
    layout.TileAt(3)->free = false;
    layout.UpdateFreeFlags();
    EXPECT_TRUE(layout.TileAt(1)->free);
    EXPECT_FALSE(layout.TileAt(3)->free) << "a removed tile keeps its flag";
    EXPECT_TRUE(layout.UpdateFreeFlag(layout.TileAt(2)));
}

TEST(TileLayoutHit, TopmostOnLayerAndEdges)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 0}, {2, 0, 0, 0}, {1, 0, 1, 0}, {1, 0, 2, 0}});
    PlaceOnScreen(&layout);
    int layer = -1, x = 7, y = 7;
    // (2, 0, 2) draws at left 27, top -6; the point lies in every tile but the first.
    EXPECT_EQ(layout.HitTest(40, 20, &layer, &x, &y), layout.TileAt(3));
    EXPECT_EQ(layer, 2);
    EXPECT_EQ(x, 1);

    layer = 1;
    EXPECT_EQ(layout.HitTest(40, 20, &layer, &x, &y), layout.TileAt(2));
    layer = 0;
    EXPECT_EQ(layout.HitTest(40, 20, &layer, &x, &y), layout.TileAt(1));

    layout.TileAt(3)->removedAt = 4;
    layer = -1;
    EXPECT_EQ(layout.HitTest(40, 20, &layer, &x, &y), layout.TileAt(2));

    // Left and top edges belong to a tile, right and bottom do not.
    layer = 0;
    EXPECT_EQ(layout.HitTest(-6, 6, &layer, &x, &y), layout.TileAt(0));
    layer = 0;
    EXPECT_EQ(layout.HitTest(41, 63, &layer, &x, &y), layout.TileAt(1));
    layer = 0;
    EXPECT_EQ(layout.HitTest(42 + 36, 64, &layer, &x, &y), nullptr);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(layer, 0);
}

TEST(TileLayoutCollect, BoundedOutputFullCount)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 35}, {4, 0, 0, 36}, {8, 0, 0, 38}, {10, 0, 0, 37}, {12, 0, 0, 39},
                   {0, 4, 0, 5}});
    layout.UpdateFreeFlags();
    layout.TileAt(4)->removedAt = 2;
    Tile* out[2] = {};
    EXPECT_EQ(layout.CollectFree(out), 4);
    EXPECT_EQ(out[0], layout.TileAt(0));
    EXPECT_EQ(out[1], layout.TileAt(1));

    Tile* seasons[8] = {};
    EXPECT_EQ(layout.CollectByKind(36, seasons), 4) << "seasons on the board, free or not";
    EXPECT_EQ(seasons[3], layout.TileAt(3));
    EXPECT_FALSE(layout.TileAt(3)->free);

    EXPECT_EQ(layout.CollectByRemoved(2, seasons), 1);
    EXPECT_EQ(seasons[0], layout.TileAt(4));
    layout.TileAt(1)->group = 9;
    layout.TileAt(5)->group = 9;
    EXPECT_EQ(layout.CollectByGroup(9, seasons), 2);
    EXPECT_EQ(seasons[1], layout.TileAt(5));
}

TEST(TileLayoutCollect, SpecialsOnlyWithPresetKinds)
{
    TileLayout plain;
    Fill(&plain, {{0, 0, 0, 0}});
    plain.TileAt(0)->kind = 46;
    plain.UpdateFreeFlags();
    Tile* out[4] = {};
    EXPECT_EQ(plain.CollectFreeSpecials(out), 0);

    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 44}, {4, 0, 0, 45}, {8, 0, 0, 46}, {12, 0, 0, 47}, {16, 0, 0, 43}});
    layout.UpdateFreeFlags();
    EXPECT_EQ(layout.CollectFreeSpecials(out), 3);
    EXPECT_EQ(out[2], layout.TileAt(3));
    EXPECT_EQ(layout.CountFreeExitTiles(), 1);
}

TEST(TileLayoutCollect, FreedByRemovalAndReturn)
{
    TileLayout layout;
    // A row of three with one tile on the middle; a lone tile beside it.
    Fill(&layout, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}, {10, 0, 0, 0}, {2, 0, 1, 0}});
    layout.UpdateFreeFlags();
    Tile* top = layout.TileAt(4);
    Tile* left = layout.TileAt(0);

    top->removedAt = 1;
    Tile* out[20] = {};
    EXPECT_EQ(layout.CollectFreedByPair(top, nullptr, out, true), 0) << "the middle stays flanked";

    left->removedAt = 1;
    EXPECT_EQ(layout.CollectFreedByPair(top, left, out, true), 1);
    EXPECT_EQ(out[0], layout.TileAt(1));
    EXPECT_TRUE(layout.TileAt(1)->free);

    left->removedAt = 0;
    top->removedAt = 0;
    EXPECT_EQ(layout.CollectFreedByPair(top, left, {}, false), 0) << "without output nothing is counted";
    EXPECT_FALSE(layout.TileAt(1)->free) << "flags are set all the same";
}

TEST(TileLayoutCollect, MovesHintsAndLowestPair)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 0}, {4, 0, 0, 0}, {8, 0, 0, 0}, {12, 0, 0, 0}, {16, 0, 0, 0},
                   {20, 0, 0, 0}, {24, 0, 0, 0}, {28, 0, 0, 0}, {32, 0, 0, 0}});
    const TileKind kinds[] = {5, 36, 5, 38, 44, 44, 43, 43, 5};
    for (int i = 0; i < 9; ++i)
        layout.TileAt(i)->kind = kinds[i];
    layout.UpdateFreeFlags();
    int pairs = 0, left = 0, kindsWithPair = 0;
    layout.CountMoves(&pairs, &left, &kindsWithPair);
    EXPECT_EQ(pairs, 3) << "5s once, seasons once, exit tiles once; 44s never";
    EXPECT_EQ(kindsWithPair, 3);
    EXPECT_EQ(left, 9);

    Tile* out[8] = {};
    EXPECT_EQ(layout.CollectNthPairKind(0, out), 3);
    EXPECT_EQ(out[2], layout.TileAt(8));
    EXPECT_EQ(layout.CollectNthPairKind(1, out), 2);
    EXPECT_EQ(out[1], layout.TileAt(3));
    EXPECT_EQ(layout.CollectNthPairKind(2, out), 2);
    EXPECT_EQ(out[0], layout.TileAt(6));
    EXPECT_EQ(layout.CollectNthPairKind(3, out), 0);

    TileLayout small;
    Fill(&small, {{0, 0, 0, 5}, {4, 0, 0, 5}, {8, 0, 0, 3}});
    Tile* first = nullptr;
    Tile* second = nullptr;
    small.LowestKindPair(&first, &second);
    EXPECT_EQ(first, small.TileAt(2));
    EXPECT_EQ(second, small.TileAt(1)) << "a lower kind later does not clear second";
}

TEST(TileLayoutCollect, TheLowestPairNeverPairsSpecialTiles)
{
    for (TileKind special : {kKindExit, kKindComplementFirst, kKindWildAll, kKindWildOne}) {
        TileLayout layout;
        Fill(&layout, {{0, 0, 0, special}, {4, 0, 0, special}});
        Tile* first = nullptr;
        Tile* second = nullptr;
        layout.LowestKindPair(&first, &second);
        EXPECT_EQ(first, layout.TileAt(0)) << special;
        EXPECT_EQ(second, nullptr) << special;
    }
}

TEST(TileLayoutCollect, KindBookkeeping)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 0}, {4, 0, 0, 0}, {8, 0, 0, 12}, {12, 0, 0, 43}, {16, 0, 0, 0}});
    layout.TileAt(0)->kind = 7;
    layout.TileAt(1)->kind = 40;
    layout.TileAt(4)->kind = 7;
    layout.TileAt(4)->removedAt = 3;
    EXPECT_TRUE(layout.HasFixed());
    EXPECT_EQ(layout.CountUndealt(), 0);
    EXPECT_EQ(layout.CountDealtLeft(), 4);

    KindCounts fixedCounts{};
    EXPECT_EQ(layout.CountFixedByKind(&fixedCounts), 1) << "43 is not counted";
    EXPECT_EQ(fixedCounts[11], 1);

    KindCounts counts{};
    layout.ClearUnfixedKinds(&counts);
    EXPECT_EQ(counts[6], 1) << "the removed 7 keeps its kind";
    EXPECT_EQ(counts[39], 1);
    EXPECT_EQ(layout.TileAt(4)->kind, 7);
    EXPECT_EQ(layout.CountUndealt(), 2);

    EXPECT_EQ(layout.RemoveSpecialTiles(), 1);
    EXPECT_EQ(layout.RemoveNormalTiles(), 3);
    EXPECT_EQ(layout.TilesLeft(), 0);
    layout.ClearMarks(true);
    EXPECT_EQ(layout.TilesLeft(), 5);
    EXPECT_EQ(layout.TileAt(4)->kind, 0);
    EXPECT_EQ(layout.TileAt(2)->kind, 12);
}

TEST(TileLayoutCollect, LinkedTilesBecomeWildAgain)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 47}, {4, 0, 0, 0}});
    Tile* wild = layout.TileAt(0);
    Tile* taken = layout.TileAt(1);
    wild->kind = 9;
    wild->fixed = false;
    taken->link = wild;
    taken->removedAt = 2;
    layout.ConvertLinkedToWild();
    EXPECT_EQ(wild->kind, 47);
    EXPECT_TRUE(wild->fixed);
    EXPECT_EQ(taken->link, nullptr);
}

TEST(TileLayoutVisible, FaceCoveredWhollyOrInPart)
{
    TileLayout layout;
    Fill(&layout, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}, {2, 0, 1, 0}, {20, 0, 0, 0}});
    layout.UpdateFreeFlags();
    Tile* middle = layout.TileAt(1);
    Tile* top = layout.TileAt(3);
    top->screenRect = {0, 0, 1000, 1000};
    middle->screenRect = {100, 100, 148, 158};
    EXPECT_FALSE(layout.IsVisible(middle));
    top->screenRect = {100, 100, 130, 158};
    EXPECT_TRUE(layout.IsVisible(middle)) << "the right part of the face shows";
    top->removedAt = 1;
    top->screenRect = {0, 0, 1000, 1000};
    EXPECT_TRUE(layout.IsVisible(middle)) << "removed tiles cover nothing";
    EXPECT_TRUE(layout.IsVisible(layout.TileAt(4))) << "free tiles are visible";
}

TEST(TileLayoutRecord, ExampleBytes)
{
    TileLayout layout;
    layout.SetName("Ab");
    Fill(&layout, {{2, 4, 0, 0}, {-1, 3, 1, 43}});
    std::vector<uint8_t> expected = {0x4D, 0x4C, 0x01, 'A', 'b', 0x00, 0x00, 0x02,
                                     0x02, 0x04, 0x00, 0x00, 0xFF, 0x03, 0x01, 0x2B};
    AppendCrc(&expected);
    EXPECT_EQ(Write(&layout), expected);

    TileLayout read;
    ASSERT_TRUE(Parse(&read, expected));
    EXPECT_STREQ(read.Name().CStr(), "Ab");
    EXPECT_EQ(read.Magic(), 19788);
    EXPECT_EQ(read.Version(), 1);
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read.TileAt(1)->x, -1);
    EXPECT_EQ(read.TileAt(1)->kind, 43);
    EXPECT_TRUE(read.TileAt(1)->fixed);
    EXPECT_FALSE(read.TileAt(0)->fixed);
    EXPECT_TRUE(read.HasFixed());
}

TEST(TileLayoutRecord, DamagedRecordsAreRefused)
{
    TileLayout source;
    source.SetName("Row");
    Fill(&source, {{0, 0, 0, 0}, {2, 0, 0, 0}, {1, 0, 1, 0}});
    const std::vector<uint8_t> good = Write(&source);
    // Bytes before the trailer: header 2 + 1 + 4 ("Row" and NUL), count 2, tiles 12.
    const size_t body = 3 + 4 + 2 + 12;
    ASSERT_EQ(good.size(), body + 4);

    auto rebuilt = [&](auto change) {
        std::vector<uint8_t> bytes(good.begin(), good.begin() + body);
        change(&bytes);
        AppendCrc(&bytes);
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"version 2", rebuilt([](auto* b) { (*b)[2] = 2; })});
    cases.push_back({"other magic", rebuilt([](auto* b) { (*b)[1] = 0x4D; })});
    cases.push_back({"layers out of order", rebuilt([](auto* b) { (*b)[body - 2] = 0; (*b)[body - 6] = 1; })});
    cases.push_back({"negative layer", rebuilt([](auto* b) { (*b)[9 + 2] = 0xFF; })});
    cases.push_back({"kind 48", rebuilt([](auto* b) { (*b)[9 + 3] = 48; })});
    cases.push_back({"negative kind", rebuilt([](auto* b) { (*b)[9 + 3] = 0x80; })});
    cases.push_back({"count beyond the data", rebuilt([](auto* b) { (*b)[8] = 4; })});
    cases.push_back({"negative count", rebuilt([](auto* b) { (*b)[7] = 0xFF; })});
    cases.push_back({"huge count", rebuilt([](auto* b) { (*b)[7] = 0x7F; })});
    std::vector<uint8_t> lastByte = good;
    lastByte.back() ^= 1;
    cases.push_back({"last byte changed", lastByte});
    std::vector<uint8_t> tileByte = good;
    tileByte[10] ^= 1;
    cases.push_back({"tile byte changed", tileByte});
    cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 3)});
    cases.push_back({"empty", {}});

    for (const Case& c : cases) {
        TileLayout layout;
        ASSERT_TRUE(Parse(&layout, good));
        Tile* stale = layout.First();
        EXPECT_NE(stale, nullptr);
        EXPECT_FALSE(Parse(&layout, c.bytes)) << c.what;
        EXPECT_EQ(layout.Count(), 0) << c.what;
        EXPECT_EQ(layout.First(), nullptr) << c.what;
        EXPECT_TRUE(layout.Name().IsEmpty()) << c.what;
        EXPECT_FALSE(layout.HasFixed()) << c.what;
    }
}

TEST(TileLayoutRecord, LoadsFromTheAssetModule)
{
    TileLayout source;
    source.SetName("Pair");
    Fill(&source, {{0, 0, 0, 0}, {2, 0, 0, 0}});
    MemoryResources module;
    module.Add(kLayoutsType, 437, Write(&source));
    module.Add(kLayoutsType, 438, std::string_view("ML\x01"));
    std::vector<uint8_t> padded = Write(&source);
    padded.insert(padded.end(), {0, 0, 0});
    module.Add(kLayoutsType, 440, padded);
    SetAssetModule(&module);
    TileLayout layout;
    EXPECT_TRUE(layout.LoadFromResource(440)) << "the record ends at its trailer";
    EXPECT_TRUE(layout.LoadFromResource(437));
    EXPECT_EQ(layout.Count(), 2);
    EXPECT_FALSE(layout.LoadFromResource(438));
    EXPECT_EQ(layout.Count(), 0);
    EXPECT_FALSE(layout.LoadFromResource(439));
    EXPECT_FALSE(layout.LoadFromResource(-1));
    SetAssetModule(nullptr);
    EXPECT_FALSE(layout.LoadFromResource(437));
}

std::vector<uint8_t> WriteState(TileLayout* layout)
{
    DataStream stream;
    stream.OpenWriteMemory();
    stream.Serialize(layout);
    const auto written = stream.Written();
    return {written.begin(), written.end()};
}

void ReadState(TileLayout* layout, const std::vector<uint8_t>& bytes)
{
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    stream.Serialize(layout);
}

TEST(TileLayoutState, RoundTripWithLinksAndPresetKinds)
{
    TileLayout saved;
    Fill(&saved, {{0, 0, 0, 0}, {2, 0, 0, 12}, {4, 0, 0, 47}, {6, 0, 0, 0}});
    saved.TileAt(0)->kind = 30;
    saved.TileAt(0)->removedAt = 300;
    saved.TileAt(2)->kind = 30;
    saved.TileAt(0)->link = saved.TileAt(2);
    saved.TileAt(3)->kind = 8;
    const std::vector<uint8_t> bytes = WriteState(&saved);
    ASSERT_EQ(bytes.size(), 2u + 4 * 6 + 2 + 4);
    EXPECT_EQ(bytes[6], 0x01) << "removedAt high byte";
    EXPECT_EQ(bytes[7], 0x2C);

    TileLayout loaded;
    Fill(&loaded, {{0, 0, 0, 0}, {2, 0, 0, 12}, {4, 0, 0, 47}, {6, 0, 0, 0}});
    loaded.TileAt(1)->link = loaded.TileAt(3);
    ReadState(&loaded, bytes);
    EXPECT_EQ(loaded.TileAt(0)->kind, 30);
    EXPECT_EQ(loaded.TileAt(0)->removedAt, 300);
    EXPECT_EQ(loaded.TileAt(0)->link, loaded.TileAt(2));
    EXPECT_EQ(loaded.TileAt(1)->link, nullptr);
    EXPECT_EQ(loaded.TileAt(1)->kind, 12) << "a preset kind stays";
    EXPECT_EQ(loaded.TileAt(2)->kind, 30) << "a wild takes what it absorbed";
    EXPECT_EQ(loaded.TileAt(3)->kind, 8);
}

TEST(TileLayoutState, RecordsThatDoNotFitStopWhereTheyStopFitting)
{
    TileLayout saved;
    Fill(&saved, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}});
    for (int i = 0; i < 3; ++i)
        saved.TileAt(i)->kind = 5 + i;
    saved.TileAt(0)->link = saved.TileAt(1);
    const std::vector<uint8_t> bytes = WriteState(&saved);

    TileLayout fewer;
    Fill(&fewer, {{0, 0, 0, 0}, {2, 0, 0, 0}});
    ReadState(&fewer, bytes);
    EXPECT_EQ(fewer.TileAt(0)->kind, 0);

    TileLayout moved;
    Fill(&moved, {{0, 0, 0, 0}, {3, 0, 0, 0}, {4, 0, 0, 0}});
    ReadState(&moved, bytes);
    EXPECT_EQ(moved.TileAt(0)->kind, 5);
    EXPECT_EQ(moved.TileAt(1)->kind, 0);
    EXPECT_EQ(moved.TileAt(2)->kind, 0);
    EXPECT_EQ(moved.TileAt(0)->link, nullptr);

    for (const int index : {3, -1, 0x7FFF}) {
        std::vector<uint8_t> badLink = bytes;
        const size_t at = 2 + 3 * 6 + 2 + 2;  // the first link's target
        badLink[at] = static_cast<uint8_t>(index >> 8);
        badLink[at + 1] = static_cast<uint8_t>(index);
        TileLayout layout;
        Fill(&layout, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}});
        ReadState(&layout, badLink);
        EXPECT_EQ(layout.TileAt(0)->link, nullptr) << index;
        EXPECT_EQ(layout.TileAt(2)->kind, 7);
    }

    TileLayout truncated;
    Fill(&truncated, {{0, 0, 0, 0}, {2, 0, 0, 0}, {4, 0, 0, 0}});
    ReadState(&truncated, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 9));
    EXPECT_EQ(truncated.TileAt(0)->kind, 5);
}

}  // namespace

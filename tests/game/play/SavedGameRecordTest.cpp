#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "game/model/TileLayout.h"
#include "game/play/SavedGameRecord.h"

namespace {

// Six tiles in a row, the third a preset wild, the fourth preset as an exit tile.
void Fill(TileLayout* layout)
{
    for (int i = 0; i < 6; ++i) {
        const TileKind preset = i == 2 ? kKindWildOne : i == 3 ? kKindExit : kKindUndealt;
        layout->AddTile(2 * i, 0, 0, preset);
    }
}

// A game in progress: kinds dealt, two moves made, the second a wild taking tile 5.
void Play(TileLayout* layout)
{
    const TileKind kinds[] = {7, 7, kKindWildOne, kKindExit, 12, 12};
    for (int i = 0; i < 6; ++i)
        if (!layout->TileAt(i)->fixed) layout->TileAt(i)->kind = kinds[i];
    layout->TileAt(0)->removedAt = 1;
    layout->TileAt(1)->removedAt = 1;
    layout->TileAt(5)->removedAt = 2;
    layout->TileAt(5)->link = layout->TileAt(2);
    layout->TileAt(2)->kind = 12;
}

std::string TempFile(const char* name) { return testing::TempDir() + name; }

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Writes a record of layout 5, player 12, free play.
std::string SaveSample(const char* name)
{
    TileLayout played;
    Fill(&played);
    Play(&played);
    SavedGameRecord record(&played);
    record.mode = SavedGameRecord::kFreePlay;
    record.index = 5;
    record.playerId = 12;
    record.score = 1234;
    record.elapsed = 40000;  // beyond the cap
    record.moveNumber = 2;
    const std::string path = TempFile(name);
    EXPECT_TRUE(record.Save(path.c_str()));
    return path;
}

bool Untouched(TileLayout& layout)
{
    for (int i = 0; i < layout.Count(); ++i) {
        const Tile* tile = layout.TileAt(i);
        if (tile->removedAt != 0 || tile->link) return false;
        if (!tile->fixed && tile->kind != 0) return false;
    }
    return layout.TileAt(2)->kind == kKindWildOne && layout.TileAt(3)->kind == kKindExit;
}

TEST(SavedGameRecordTest, WritesTheDocumentedHeaderAndRestoresTheBoard)
{
    const std::string path = SaveSample("round.sav");
    const std::vector<uint8_t> bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 16u + 2 + 6 * 6 + 2 + 4 + 4);
    EXPECT_EQ(bytes[0], 0x4D);
    EXPECT_EQ(bytes[1], 0x53);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 1);                              // free play
    EXPECT_EQ(bytes[4] << 8 | bytes[5], 5);              // index
    EXPECT_EQ(bytes[6] << 8 | bytes[7], 12);             // player
    EXPECT_EQ(bytes[10] << 8 | bytes[11], 1234);         // score, low half
    EXPECT_EQ(bytes[12] << 8 | bytes[13], 35999);        // elapsed, capped
    EXPECT_EQ(bytes[14] << 8 | bytes[15], 2);            // move number

    TileLayout board;
    Fill(&board);
    SavedGameRecord record(&board);
    ASSERT_TRUE(record.Load(path.c_str(), SavedGameRecord::kFreePlay, 5, 12));
    EXPECT_EQ(record.score, 1234);
    EXPECT_EQ(record.elapsed, 35999);
    EXPECT_EQ(record.moveNumber, 2);
    EXPECT_EQ(board.TileAt(0)->kind, 7);
    EXPECT_EQ(board.TileAt(0)->removedAt, 1);
    EXPECT_EQ(board.TileAt(4)->kind, 12);
    EXPECT_EQ(board.TileAt(4)->removedAt, 0);
    EXPECT_EQ(board.TileAt(5)->link, board.TileAt(2));
    EXPECT_EQ(board.TileAt(2)->kind, 12);  // a wild that took a kind keeps it
    EXPECT_EQ(board.TileAt(3)->kind, kKindExit);
    std::remove(path.c_str());
}

TEST(SavedGameRecordTest, RefusesAnotherGameAndLeavesTheBoardAlone)
{
    const std::string path = SaveSample("other.sav");
    TileLayout board;
    Fill(&board);
    SavedGameRecord record(&board);
    EXPECT_FALSE(record.Load(path.c_str(), SavedGameRecord::kFreePlay, 6, 12));  // other layout
    EXPECT_FALSE(record.Load(path.c_str(), SavedGameRecord::kFreePlay, 5, 1));   // other player
    EXPECT_FALSE(record.Load(path.c_str(), SavedGameRecord::kStory, 5, 12));     // other mode
    EXPECT_TRUE(Untouched(board));

    // Another layout's board: the tiles stop fitting.
    TileLayout otherShape;
    for (int i = 0; i < 6; ++i) otherShape.AddTile(2 * i, 2, 0, 0);
    SavedGameRecord misfit(&otherShape);
    EXPECT_FALSE(misfit.Load(path.c_str(), SavedGameRecord::kFreePlay, 5, 12));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(otherShape.TileAt(i)->kind, 0);
    EXPECT_FALSE(record.Load(TempFile("missing.sav").c_str(), 1, 5, 12));
    std::remove(path.c_str());
}

TEST(SavedGameRecordTest, RefusesDamagedShortAndOversizedFiles)
{
    const std::string path = SaveSample("damaged.sav");
    const std::vector<uint8_t> good = ReadAll(path);
    TileLayout board;
    Fill(&board);
    SavedGameRecord record(&board);

    std::vector<uint8_t> flipped = good;
    flipped[20] ^= 0x01;
    EXPECT_FALSE(record.LoadFrom(flipped, SavedGameRecord::kFreePlay, 5, 12));
    for (size_t cut : {size_t{0}, size_t{3}, size_t{16}, good.size() - 1}) {
        std::vector<uint8_t> shortened(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_FALSE(record.LoadFrom(shortened, SavedGameRecord::kFreePlay, 5, 12)) << cut;
    }
    std::vector<uint8_t> huge(SavedGameRecord::kMaxFileBytes + 10, 0);
    WriteAll(path, huge);
    EXPECT_FALSE(record.Load(path.c_str(), SavedGameRecord::kFreePlay, 5, 12));
    EXPECT_TRUE(Untouched(board));
    EXPECT_TRUE(record.LoadFrom(good, SavedGameRecord::kFreePlay, 5, 12));
    std::remove(path.c_str());
}

TEST(SavedGameRecordTest, RefusesSoundRecordsTheBoardCannotPlay)
{
    // Records with a valid trailer but impossible contents: an unknown kind, a removal after
    // the last move.
    auto craft = [](auto change) {
        TileLayout played;
        Fill(&played);
        Play(&played);
        SavedGameRecord record(&played);
        record.mode = SavedGameRecord::kFreePlay;
        record.index = 5;
        record.playerId = 12;
        record.moveNumber = 2;
        change(played, record);
        DataStream stream;
        stream.OpenWriteMemory();
        record.SerializeState(&stream);
        return std::vector<uint8_t>(stream.Written().begin(), stream.Written().end());
    };
    TileLayout board;
    Fill(&board);
    SavedGameRecord record(&board);
    EXPECT_FALSE(record.LoadFrom(craft([](TileLayout& l, SavedGameRecord&) { l.TileAt(4)->kind = 90; }),
                                 SavedGameRecord::kFreePlay, 5, 12));
    EXPECT_FALSE(record.LoadFrom(craft([](TileLayout& l, SavedGameRecord&) { l.TileAt(4)->removedAt = 7; }),
                                 SavedGameRecord::kFreePlay, 5, 12));
    EXPECT_FALSE(record.LoadFrom(craft([](TileLayout&, SavedGameRecord& r) { r.moveNumber = -3; }),
                                 SavedGameRecord::kFreePlay, 5, 12));
    EXPECT_TRUE(Untouched(board));
    EXPECT_TRUE(record.LoadFrom(craft([](TileLayout&, SavedGameRecord&) {}),
                                SavedGameRecord::kFreePlay, 5, 12));
}

TEST(SavedGameRecordTest, ReportsAWriteThatCannotHappen)
{
    TileLayout played;
    Fill(&played);
    SavedGameRecord record(&played);
    EXPECT_FALSE(record.Save((TempFile("no-such-folder/") + "x.sav").c_str()));
    EXPECT_FALSE(record.Save(nullptr));
    SavedGameRecord empty(nullptr);
    EXPECT_FALSE(empty.Save(TempFile("empty.sav").c_str()));
}

}  // namespace

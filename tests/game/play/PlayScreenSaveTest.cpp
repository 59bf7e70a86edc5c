#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/play/Board.h"
#include "game/play/PlayFlow.h"
#include "game/play/PlayScreen.h"
#include "tests/framework/ui/UiHarness.h"
#include "tests/game/play/QuietPlayFlow.h"

namespace {

constexpr int kIndex = 3;

// A preset single wild and `undealt` ordinary tiles, all apart from one another and so free.
std::vector<uint8_t> SpacedLayout(bool wild, int undealt)
{
    TileLayout layout;
    layout.SetName(String("Spaced"));
    int x = 0;
    if (wild) layout.AddTile(x, 0, 0, kKindWildOne), x += 4;
    for (int i = 0; i < undealt; ++i, x += 4) layout.AddTile(x, 0, 0, 0);
    DataStream stream;
    stream.OpenWriteMemory();
    layout.SerializeLayout(&stream);
    return {stream.Written().begin(), stream.Written().end()};
}

class PlayScreenSaveTest : public ::testing::Test {
protected:
    UiHarness h;
    QuietPlayFlow flow;
    MemoryResources assets;
    PlayScreen* screen = nullptr;
    std::string folder_;

    void SetUp() override {
        folder_ = testing::TempDir() + "save-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        CurrentProfile() = PlayerProfile(4);
        CurrentProfile().firstGameTip = true;
        SetAssetModule(&assets);
    }
    void TearDown() override {
        SetAssetModule(nullptr);
        std::remove(CurrentProfile().MakeSaveFileName(kIndex).CStr());
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
    }

    void UseLayout(bool wild, int undealt) {
        assets.Add("LAYOUTS", PlayScreen::kFirstFreeLayoutResource + kIndex, SpacedLayout(wild, undealt));
    }
    void Open(bool resume) {
        screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
        screen->SetLayout(kIndex, resume, PlayScreen::kFirstFreeLayoutResource + kIndex, String("Spaced"));
        h.manager.PushScreen(screen, false, false, false);
        screen->OnTransitionIn();
        screen->OnTransitionDone();
        h.Frames(40);
    }
    // Leaves the page at once, without another frame: whatever flies is still in the air.
    void CloseNow() {
        h.manager.PopScreensNow(1);
        screen = nullptr;
    }
    Board* board() { return screen->GetBoard(); }
    TileLayout& layout() { return board()->Layout(); }
    void Click(const Tile* tile) {
        board()->OnLButtonDown(0, tile->screenRect.left + board()->OffsetX() + 20,
                               tile->screenRect.top + board()->OffsetY() + 20);
    }
    // The first two ordinary tiles on the board that match (seasons and flowers match within
    // their group).
    std::pair<Tile*, Tile*> OrdinaryPair() {
        for (int i = 0; i < layout().Count(); ++i)
            for (int j = i + 1; j < layout().Count(); ++j) {
                Tile* a = layout().TileAt(i);
                Tile* b = layout().TileAt(j);
                if (a->OnBoard() && b->OnBoard() && a->kind < kKindExit && SameKind(a->kind, b->kind))
                    return {a, b};
            }
        return {nullptr, nullptr};
    }
    bool SaveExists() {
        FILE* f = std::fopen(CurrentProfile().MakeSaveFileName(kIndex).CStr(), "rb");
        if (f) std::fclose(f);
        return f != nullptr;
    }
};

TEST_F(PlayScreenSaveTest, LeavingWhileAWildAbsorbsATileSavesTheWildWithThatKind)
{
    UseLayout(true, 6);
    Open(false);
    Tile* wild = layout().TileAt(0);
    Tile* taken = layout().TileAt(3);
    ASSERT_EQ(wild->kind, kKindWildOne);
    const TileKind kind = taken->kind;
    Click(wild);
    Click(taken);
    ASSERT_EQ(board()->CurrentStep(), Board::kStepAbsorb);
    CloseNow();
    ASSERT_TRUE(SaveExists());

    Open(true);
    ASSERT_TRUE(screen->IsResuming());
    EXPECT_EQ(board()->MoveNumber(), 1);
    EXPECT_EQ(layout().TileAt(0)->kind, kind);  // the wild holds the tile it took
    EXPECT_FALSE(layout().TileAt(3)->OnBoard());
    EXPECT_EQ(board()->TrayKind1(), kKindWildOne);

    // Undo still parts them again.
    board()->Undo();
    h.Frames(40);
    EXPECT_EQ(layout().TileAt(0)->kind, kKindWildOne);
    EXPECT_EQ(layout().TileAt(3)->kind, kind);
    EXPECT_TRUE(layout().TileAt(3)->OnBoard());
}

TEST_F(PlayScreenSaveTest, LeavingWhileAnUndoFliesBackSavesTheGameWithTheMoveTakenBack)
{
    UseLayout(false, 6);
    Open(false);
    auto [a, b] = OrdinaryPair();
    ASSERT_NE(a, nullptr);
    Click(a);
    Click(b);
    h.Frames(40);
    auto [c, d] = OrdinaryPair();
    ASSERT_NE(c, nullptr);
    const int returned = layout().IndexOf(c);
    Click(c);
    Click(d);
    h.Frames(40);
    ASSERT_EQ(board()->MoveNumber(), 2);
    board()->Undo();
    ASSERT_FALSE(board()->Flights().empty());
    CloseNow();
    ASSERT_TRUE(SaveExists());

    Open(true);
    ASSERT_TRUE(screen->IsResuming());
    EXPECT_EQ(board()->MoveNumber(), 1);
    EXPECT_TRUE(layout().TileAt(returned)->OnBoard());
    EXPECT_EQ(board()->TilesLeft(), 4);
}

TEST_F(PlayScreenSaveTest, LeavingWhileTheLastPairFliesSavesNothing)
{
    UseLayout(false, 4);
    Open(false);
    for (int move = 0; move < 2; ++move) {
        auto [a, b] = OrdinaryPair();
        ASSERT_NE(a, nullptr);
        Click(a);
        Click(b);
        if (move == 0) h.Frames(40);
    }
    CloseNow();
    EXPECT_FALSE(SaveExists());
}

}  // namespace

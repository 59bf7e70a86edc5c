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
#include "game/play/Hud.h"
#include "game/play/PlayFlow.h"
#include "game/play/PlayScreen.h"
#include "tests/framework/ui/UiHarness.h"
#include "tests/game/play/QuietPlayFlow.h"

namespace {

class StoryFlow : public QuietPlayFlow {
public:
    int levelsWon = 0;
    int wonScore = -1;
    void ShowLevelComplete(PlayScreen*, int, int score, const String&) override {
        ++levelsWon;
        wonScore = score;
    }
};

constexpr int kLayoutId = 390;

// An exit pair and four undealt tiles, all apart from one another and so free.
std::vector<uint8_t> ExitLayout()
{
    TileLayout layout;
    layout.SetName(String("Exit"));
    layout.AddTile(0, 0, 0, kKindExit);
    layout.AddTile(4, 0, 0, kKindExit);
    for (int i = 0; i < 4; ++i) layout.AddTile(8 + 4 * i, 0, 0, 0);
    DataStream stream;
    stream.OpenWriteMemory();
    layout.SerializeLayout(&stream);
    return {stream.Written().begin(), stream.Written().end()};
}

bool Exists(const String& name)
{
    FILE* f = std::fopen(name.CStr(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

class PlayScreenStoryTest : public ::testing::Test {
protected:
    UiHarness h;
    StoryFlow flow;
    MemoryResources assets;
    PlayScreen* screen = nullptr;
    std::string folder_;

    void SetUp() override {
        folder_ = testing::TempDir() + "story-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        CurrentProfile() = PlayerProfile(9);
        assets.Add("LAYOUTS", kLayoutId, ExitLayout());
        SetAssetModule(&assets);
    }
    void TearDown() override {
        SetAssetModule(nullptr);
        for (int level = 0; level < PlayerProfile::kStoryLevels; ++level) {
            std::remove(CurrentProfile().MakeSaveFileNameD(level).CStr());
            std::remove(CurrentProfile().MakeSaveFileName(level).CStr());
        }
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
    }

    // Opens `level` as the campaign does; `play` also starts the board and lets the entry land.
    void Open(int level, bool resume, bool play = true) {
        screen = new PlayScreen(PlayScreen::kStory, &flow);
        h.manager.PushScreen(screen, false, false, false);
        screen->StartStoryLevel(level, resume, kLayoutId, String("Qin"), 0, -221, -206, 50, 31,
                                String("Level"));
        if (!play) return;
        screen->BeginPlay();
        h.Frames(40);
    }
    void Close() {
        h.manager.PopScreensNow(1);
        h.Frames(1);
        screen = nullptr;
    }
    Board* board() { return screen->GetBoard(); }
    void Click(const Tile* tile) {
        board()->OnLButtonDown(0, tile->screenRect.left + board()->OffsetX() + 20,
                               tile->screenRect.top + board()->OffsetY() + 20);
    }
    void MatchOrdinaryPair() {
        TileLayout& layout = board()->Layout();
        for (int i = 2; i < layout.Count(); ++i)
            for (int j = i + 1; j < layout.Count(); ++j) {
                Tile* a = layout.TileAt(i);
                Tile* b = layout.TileAt(j);
                if (!a->OnBoard() || !b->OnBoard() || !SameKind(a->kind, b->kind)) continue;
                Click(a);
                Click(b);
                h.Frames(40);
                return;
            }
        FAIL() << "no ordinary pair";
    }
};

TEST_F(PlayScreenStoryTest, TutorialStepsFollowTheLevelAndTheLevelsReached)
{
    struct Case {
        int level, done;
        bool resume;
        int step;
    };
    const Case cases[] = {{0, 0, false, 0},  {1, 1, false, 6}, {3, 3, false, 2}, {7, 7, false, 3},
                          {12, 12, false, 4}, {0, 0, true, -1}, {3, 4, false, -1}, {1, 0, false, -1},
                          {5, 5, false, -1}};
    for (const Case& c : cases) {
        CurrentProfile().storyLevelsDone = c.done;
        Open(c.level, c.resume, false);
        EXPECT_EQ(screen->PendingTutorial(), c.step) << "level " << c.level << " done " << c.done;
        Close();
    }
}

TEST_F(PlayScreenStoryTest, WinningTheHighestLevelReachedAdvancesAndKeepsTheBestResults)
{
    CurrentProfile().storyLevelsDone = 2;
    Open(2, false);
    MatchOrdinaryPair();
    Click(board()->Layout().TileAt(0));
    Click(board()->Layout().TileAt(1));
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 3);
    EXPECT_TRUE(screen->Advanced());
    const int seconds = screen->GetHud()->ElapsedSeconds();
    EXPECT_EQ(CurrentProfile().storyTimes[2], seconds);
    h.Frames(160);
    ASSERT_EQ(flow.levelsWon, 1);
    EXPECT_EQ(flow.wonScore, screen->Score());
    EXPECT_EQ(CurrentProfile().storyScores[2], screen->Score());
    Close();

    // Playing it again worse keeps the records; an earlier level does not advance.
    CurrentProfile().storyScores[2] = 1000000;
    CurrentProfile().storyTimes[2] = 0;
    Open(2, false);
    MatchOrdinaryPair();
    Click(board()->Layout().TileAt(0));
    Click(board()->Layout().TileAt(1));
    h.Frames(160);
    EXPECT_EQ(CurrentProfile().storyScores[2], 1000000);
    EXPECT_EQ(CurrentProfile().storyTimes[2], 0);
    EXPECT_FALSE(screen->Advanced());
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 3);
}

TEST_F(PlayScreenStoryTest, QuittingDuringTheCollectionKeepsTheLevelsFinalScore)
{
    Open(2, false);
    MatchOrdinaryPair();
    Click(board()->Layout().TileAt(0));
    Click(board()->Layout().TileAt(1));
    h.Frames(160);
    ASSERT_EQ(flow.levelsWon, 1);
    const int finalScore = flow.wonScore;
    Close();

    // The same deal again, left while the rest of the tiles are being collected.
    CurrentProfile() = PlayerProfile(9);
    std::remove(PlayerProfile::MakeProfileFileName(9).CStr());
    Open(2, false);
    MatchOrdinaryPair();
    Click(board()->Layout().TileAt(0));
    Click(board()->Layout().TileAt(1));
    h.Frames(40);
    ASSERT_TRUE(board()->IsCollecting());
    Close();
    EXPECT_EQ(CurrentProfile().storyScores[2], finalScore);
    PlayerProfile kept;
    ASSERT_TRUE(kept.Load(9, String()));
    EXPECT_EQ(kept.storyScores[2], finalScore);
}

TEST_F(PlayScreenStoryTest, AStoryGameIsSavedUnderItsOwnNameAndResumed)
{
    Open(4, false);
    MatchOrdinaryPair();
    const int score = screen->Score();
    ASSERT_GT(score, 0);
    Close();
    EXPECT_TRUE(Exists(CurrentProfile().MakeSaveFileNameD(4)));
    EXPECT_FALSE(Exists(CurrentProfile().MakeSaveFileName(4)));

    // Another level does not take it.
    Open(5, true);
    EXPECT_FALSE(screen->IsResuming());
    Close();
    EXPECT_TRUE(Exists(CurrentProfile().MakeSaveFileNameD(4)));

    // Left before play begins, the resumed game is still all there is of it.
    Open(4, true, false);
    EXPECT_TRUE(screen->IsResuming());
    Close();
    EXPECT_TRUE(Exists(CurrentProfile().MakeSaveFileNameD(4)));

    Open(4, true);
    EXPECT_TRUE(screen->IsResuming());
    EXPECT_EQ(board()->MoveNumber(), 1);
    EXPECT_EQ(screen->Score(), score);
    EXPECT_EQ(board()->TilesLeft(), 4);
    EXPECT_TRUE(Exists(CurrentProfile().MakeSaveFileNameD(4)));  // until saved again or ended

    // Won, the level is none to resume.
    Click(board()->Layout().TileAt(0));
    Click(board()->Layout().TileAt(1));
    h.Frames(160);
    ASSERT_EQ(flow.levelsWon, 1);
    Close();
    EXPECT_FALSE(Exists(CurrentProfile().MakeSaveFileNameD(4)));
}

}  // namespace

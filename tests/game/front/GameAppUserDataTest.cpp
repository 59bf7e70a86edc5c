#include <gtest/gtest.h>

#include "framework/app/AppGlobals.h"
#include "game/front/GameApp.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "tests/game/model/PlayerFolderTest.h"

namespace {

class GameAppUserDataTest : public PlayerFolderTest {
protected:
    void SetUp() override
    {
        PlayerFolderTest::SetUp();
        Globals().userDataFolder = (scratch_->Path().string() + "/").c_str();
        Globals().programFolder = kProgramFolder;
        ThePlayerList().Clear();
        ThePlayerList().SetCurrentId(-1);
        CurrentProfile() = PlayerProfile();
    }

    void TearDown() override
    {
        Globals() = AppGlobals();
        ThePlayerList().Clear();
        ThePlayerList().SetCurrentId(-1);
        CurrentProfile() = PlayerProfile();
        PlayerFolderTest::TearDown();
    }

    GameApp app_;
};

TEST_F(GameAppUserDataTest, FirstStartLoadsNoProfileAndSavesNothing)
{
    app_.LoadUserData();
    EXPECT_EQ(ThePlayerList().Count(), 0);
    EXPECT_EQ(ThePlayerList().CurrentId(), -1);
    EXPECT_EQ(CurrentProfile().id, -1);
    app_.SaveUserData();
    EXPECT_TRUE(std::filesystem::is_empty(scratch_->Path()));
}

TEST_F(GameAppUserDataTest, CurrentPlayersProfileIsLoadedAndWrittenBack)
{
    PlayerList& players = ThePlayerList();
    players.Add("Ann");
    players.Add("Bo");
    players.SelectIndex(1);
    ASSERT_TRUE(players.Save());
    players.Clear();
    players.SetCurrentId(-1);

    app_.LoadUserData();
    ASSERT_EQ(players.CurrentId(), 1);
    EXPECT_EQ(CurrentProfile().id, 1);
    EXPECT_STREQ(CurrentProfile().name.CStr(), "Bo");  // no file yet: the list's name

    CurrentProfile().storyLevelsDone = 9;
    app_.SaveUserData();
    PlayerProfile check;
    ASSERT_TRUE(check.Load(1, "other"));
    EXPECT_EQ(check.storyLevelsDone, 9);
    EXPECT_STREQ(check.name.CStr(), "Bo");
}

}  // namespace

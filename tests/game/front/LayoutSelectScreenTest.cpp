// The free-play grid: pages from the profile, wrapping page turns, the page built a cell a frame
// and kept on disk, a cache reused or rebuilt, starting a layout with or without its saved game,
// and the notice of a save that failed on the way to it.
#include "game/front/LayoutSelectScreen.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/app/AppGlobals.h"
#include "framework/core/DataStream.h"
#include "game/front/InfoDialog.h"
#include "game/front/LayoutPagerLabel.h"
#include "game/front/LayoutSlot.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"
#include "game/model/TileLayout.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class LayoutSelectScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("qm_grid_" + std::to_string(getpid()) + "_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        savedShared = Globals().sharedDataFolder;
        Globals().sharedDataFolder = (folder.string() + "/").c_str();
        PlayerFolders::Set((folder.string() + "/").c_str(), "/opt/q/");
        savedProfile = CurrentProfile();
        CurrentProfile() = PlayerProfile(1);
        CurrentProfile().bestTimes.fill(PlayerProfile::kNoTime);
        CurrentProfile().currentLayout = 13;
        PlayerFilesNotice() = SaveFailureNotice();
        LayoutSelectScreen::ResetMusicRotation();

        for (int i = 0; i < 18; ++i) AddLayout(i, "L" + std::to_string(i), 2 + i % 3);
        for (int id : {14, 15, 16, 21, 106, 107, 124, 139, 140, 141, 142}) {
            f.Text(id, "t" + std::to_string(id));
        }
        f.Text(17, "best %s");
        f.Text(18, "%d/%d");
        f.Text(19, "%d.%s");
        f.Text(20, "%d of %d");
        f.Fonts({160, 199, 201, 203, 208, 307, 284, 286, 290});
        for (int id : {186, 187, 188, 190, 193, 194, 195, 196, 197, 297, 287, 369}) {
            f.Picture(id, 120, 42);
        }
    }
    void TearDown() override {
        Globals().sharedDataFolder = savedShared;
        CurrentProfile() = savedProfile;
        std::filesystem::remove_all(folder);
    }

    void AddLayout(int index, const std::string& name, int tiles) {
        TileLayout layout;
        layout.SetName(name.c_str());
        for (int t = 0; t < tiles; ++t) layout.AddTile(2 * t, 0, 0, 0);
        DataStream stream;
        stream.OpenWriteMemory();
        layout.SerializeLayout(&stream);
        auto written = stream.Written();
        f.assets.Add(kLayoutsType, 437 + index, std::vector<uint8_t>(written.begin(), written.end()));
    }

    LayoutSelectScreen* Open() {
        grid = new LayoutSelectScreen([this](const FreePlayChoice& choice) {
            choices.push_back(choice);
            return f.ui.NewScreen("play");
        });
        f.ui.manager.PushScreen(grid, false, false, false);
        return grid;
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }

    std::filesystem::path folder;
    String savedShared;
    PlayerProfile savedProfile;
    FrontHarness f;
    LayoutSelectScreen* grid = nullptr;
    std::vector<FreePlayChoice> choices;
};

}  // namespace

TEST_F(LayoutSelectScreenTest, TheProfilesLayoutPicksThePageAndTheSlot) {
    Open();
    EXPECT_EQ(grid->GetPageStart(), 9);
    EXPECT_EQ(grid->GetSelectedSlot(), 4);
    EXPECT_EQ(grid->GetPagerLabel()->GetPreviousRange(), "1-9");
    EXPECT_EQ(grid->GetPagerLabel()->GetNextRange(), "19-27");
    EXPECT_EQ(grid->GetPagerLabel()->GetCompletionLine(), "");
    auto& calls = f.ui.sound.calls;
    // The turn of the grid's music rotation is the process's: other tests may have visited it.
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const std::string& call) {
        return call == "PlayMusic 336" || call == "PlayMusic 337" || call == "PlayMusic 338";
    }));

    CurrentProfile().currentLayout = 400;  // out of range: the first layout
    CurrentProfile().bestTimes[3] = 100;
    CurrentProfile().bestTimes[125] = 100;
    Open();
    EXPECT_EQ(grid->GetPageStart(), 0);
    EXPECT_EQ(grid->GetSelectedSlot(), 0);
    EXPECT_EQ(grid->GetPagerLabel()->GetCompletionLine(), "2 of 126");
    EXPECT_NE(std::find(calls.begin(), calls.end(), "PlayMusic 336"), calls.end());
}

TEST_F(LayoutSelectScreenTest, ThePageRangesKeepClearOfTheArrowsAndTheButtons) {
    // The arrows and the caption buttons at their real sizes.
    for (int id : {193, 194}) f.Picture(id, 208, 52);
    for (int id : {196, 197}) f.Picture(id, 432, 40);
    Open();
    f.ui.Frames(1);
    std::vector<Rect> buttons;
    for (int id : {193, 194, 196, 197})
        for (const auto& draw : f.Images(id)) buttons.push_back(draw.rect);
    ASSERT_EQ(buttons.size(), 4u);
    int glyphs = 0;
    for (int font : {199, 201, 203, 208, 307, 284, 286, 290}) {
        for (const auto& glyph : f.Images(font)) {
            if (glyph.rect.bottom < buttons[0].top) continue;
            ++glyphs;
            for (const Rect& button : buttons) {
                const bool apart = glyph.rect.right + 8 <= button.left || glyph.rect.left >= button.right + 8 ||
                                   glyph.rect.bottom <= button.top || glyph.rect.top >= button.bottom;
                EXPECT_TRUE(apart) << "font " << font << " glyph at " << glyph.rect.left << ".." << glyph.rect.right
                                   << ", button " << button.left << ".." << button.right;
            }
        }
    }
    EXPECT_EQ(glyphs, 8);  // "1-9" and "19-27"
}

TEST_F(LayoutSelectScreenTest, PagesWrapAtBothEnds) {
    CurrentProfile().currentLayout = 0;
    Open();
    EXPECT_EQ(grid->GetPagerLabel()->GetPreviousRange(), "118-126");
    EXPECT_EQ(grid->GetPagerLabel()->GetNextRange(), "10-18");
    grid->SendCommand(LayoutSelectScreen::kPreviousPage);
    EXPECT_EQ(grid->GetPageStart(), 117);
    EXPECT_EQ(CurrentProfile().currentLayout, 117);
    grid->SendCommand(LayoutSelectScreen::kNextPage);
    EXPECT_EQ(grid->GetPageStart(), 0);
    EXPECT_FALSE(grid->OnCommand(5));
}

TEST_F(LayoutSelectScreenTest, APageIsBuiltACellAFrameThenKeptAndReused) {
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 0);
    f.ui.Frames(1);
    EXPECT_EQ(grid->GetBuildIndex(), 1);
    EXPECT_EQ(grid->GetSlot(0)->GetState(), LayoutSlot::kBuilt);
    EXPECT_EQ(grid->GetSlot(1)->GetState(), LayoutSlot::kEmpty);
    f.ui.Frames(8);
    EXPECT_EQ(grid->GetBuildIndex(), 9);
    EXPECT_TRUE(Exists("9.bmp"));
    EXPECT_TRUE(Exists("9.txt"));
    EXPECT_EQ(grid->GetSlot(4)->GetName(), "14.L13");
    EXPECT_EQ(grid->GetSlot(4)->GetStatus(), "3/2");  // a row of three: both ends free
    EXPECT_TRUE(grid->GetSlot(4)->IsSelected());
    f.ui.Frames(3);
    EXPECT_EQ(grid->GetBuildIndex(), 9);

    // The next visit shows the page from its files at once.
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 9);
    EXPECT_EQ(grid->GetSlot(4)->GetState(), LayoutSlot::kFromCache);
    EXPECT_EQ(grid->GetSlot(4)->GetName(), "14.L13");
    EXPECT_EQ(grid->GetSlot(8)->GetInfo().tiles, 4);

    // A status follows the current player even on a cached page.
    CurrentProfile() = PlayerProfile(2);
    CurrentProfile().bestTimes.fill(PlayerProfile::kNoTime);
    CurrentProfile().currentLayout = 13;
    CurrentProfile().bestTimes[13] = 61;
    Open();
    EXPECT_EQ(grid->GetSlot(4)->GetStatus(), "best 0:01:01");

    // Without its picture the page is built anew.
    std::filesystem::remove(folder / "9.bmp");
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 0);
    f.ui.Frames(9);
    EXPECT_TRUE(Exists("9.bmp"));
}

TEST_F(LayoutSelectScreenTest, ADamagedPageTextRebuildsThePage) {
    Open();
    f.ui.Frames(9);
    std::ofstream(folder / "9.txt") << "10.L9\t3\n";
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 0);
    EXPECT_EQ(grid->GetSlot(0)->GetState(), LayoutSlot::kEmpty);
}

TEST_F(LayoutSelectScreenTest, ALayoutThatDoesNotLoadLeavesItsCellEmptyAndSaysSo) {
    CurrentProfile().currentLayout = 18;  // page 18: only layouts 18 and beyond, none present
    AddLayout(18, "Only", 2);
    Open();
    f.ui.Frames(2);
    EXPECT_EQ(grid->GetSlot(0)->GetState(), LayoutSlot::kBuilt);
    EXPECT_EQ(grid->GetSlot(1)->GetState(), LayoutSlot::kEmpty);
    EXPECT_NE(dynamic_cast<InfoDialog*>(f.ui.manager.GetTopScreen()), nullptr);
}

TEST_F(LayoutSelectScreenTest, PlayStartsTheChosenLayoutOrAsksAboutItsSavedGame) {
    Open();
    f.ui.Frames(9);
    grid->SendCommand(LayoutSelectScreen::kPlay);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].index, 13);
    EXPECT_FALSE(choices[0].resume);
    EXPECT_EQ(choices[0].layoutId, 437 + 13);
    EXPECT_EQ(choices[0].name, "14.L13");
    EXPECT_EQ(f.ui.manager.GetTransitionState(), ScreenManager::kTransitionFadingOut);

    std::ofstream(folder / "1_11.sav") << "x";
    Open();
    f.ui.Frames(9);
    grid->AskResume(2);
    EXPECT_EQ(grid->GetSelectedSlot(), 2);
    EXPECT_EQ(CurrentProfile().currentLayout, 11);
    auto* question = dynamic_cast<MessageDialog*>(f.ui.manager.GetTopScreen());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->DialogId(), 1);
    EXPECT_EQ(choices.size(), 1u);
    EXPECT_FALSE(grid->OnAccept(1));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_TRUE(choices[1].resume);
    EXPECT_EQ(choices[1].index, 11);
    EXPECT_FALSE(grid->OnDecline(1));
    EXPECT_FALSE(choices[2].resume);
}

TEST_F(LayoutSelectScreenTest, AFailedSaveOfANewPlayerIsToldOnArrival) {
    f.Text(188, "not saved");
    PlayerFolders::Set((folder.string() + "/missing/").c_str(), "/opt/q/");
    ASSERT_FALSE(ThePlayerList().Save());
    PlayerFolders::Set((folder.string() + "/").c_str(), "/opt/q/");
    Open();
    grid->OnTransitionDone();
    auto* notice = dynamic_cast<InfoDialog*>(f.ui.manager.GetTopScreen());
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->GetPanel()->Title(), "not saved");
}

TEST_F(LayoutSelectScreenTest, APageKeptFromOtherLayoutsIsBuiltAgain) {
    Open();
    f.ui.Frames(9);
    ASSERT_TRUE(Exists("9.txt"));
    Open();
    ASSERT_EQ(grid->GetBuildIndex(), 9);  // taken from its files

    // The game's layouts changed since: a renamed one, then one with other tiles.
    AddLayout(13, "Renamed", 3);
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 0);
    f.ui.Frames(9);
    EXPECT_EQ(grid->GetSlot(4)->GetName(), "14.Renamed");
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 9);

    AddLayout(15, "L15", 6);
    Open();
    EXPECT_EQ(grid->GetBuildIndex(), 0);
    f.ui.Frames(9);
    EXPECT_EQ(grid->GetSlot(6)->GetStatus(), "6/2");
}

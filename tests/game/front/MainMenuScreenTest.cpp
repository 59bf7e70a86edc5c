// The main menu: its player requirement (first-player box, then the command runs by itself),
// the player-list command that writes the profile first, the one-time notices of a profile that
// cannot be read and of a failed save, one at a time, the record in memory kept when the list
// changes, the greeting, the story button's hover caption and the optional partner logo.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/ui/LinkButton.h"
#include "game/front/FadeCaptionButton.h"
#include "game/front/InfoDialog.h"
#include "game/front/MainHelpDialog.h"
#include "game/front/MainMenuScreen.h"
#include "game/front/MenuBackground.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/OptionsDialog.h"
#include "game/front/PlayerSelectDialog.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "tests/framework/ui/FakeUiHost.h"
#include "tests/game/model/ScratchPlayerFolder.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class MainMenuScreenTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        h.display.AddImage(109, 800, 600);
        h.display.AddImage(142, 990, 70);
        h.display.AddImage(132, 540, 70);
        for (int32_t id : {131, 134, 135}) h.display.AddImage(id, 360, 40);
        h.display.AddImage(149, 680, 80);
        h.display.AddImage(150, 680, 80);
        resources.AddString(113, "hello %s");
        resources.AddString(13, "not you");
        resources.AddString(120, "begin");
        resources.AddString(121, "go on");
        scratch_ = std::make_unique<ScratchPlayerFolder>("qm_mainmenu");
        host.folder = scratch_->Folder();
    }

    void TearDown() override
    {
        scratch_.reset();
        DialogTest::TearDown();
    }

    MainMenuScreen* Open()
    {
        auto* menu = new MainMenuScreen();
        h.manager.PushScreen(menu, false, false, false);
        h.Frames(2);
        return menu;
    }

    template <class T>
    T* Top() const { return dynamic_cast<T*>(h.manager.GetTopScreen()); }

    bool Heard(const std::string& call) const
    {
        return std::find(h.sound.calls.begin(), h.sound.calls.end(), call) != h.sound.calls.end();
    }

    template <class T>
    T* Find(MainMenuScreen* menu) const
    {
        for (Widget* widget : menu->GetWidgets())
            if (auto* found = dynamic_cast<T*>(widget)) return found;
        return nullptr;
    }

    FakeUiHost host;
    std::unique_ptr<ScratchPlayerFolder> scratch_;
};

TEST_F(MainMenuScreenTest, ModeWithoutPlayerAsksForOneAndThenRunsByItself)
{
    MainMenuScreen* menu = Open();
    menu->SendCommand(MainMenuScreen::kStory);
    h.Frames(1);
    auto* ask = Top<NewPlayerDialog>();
    ASSERT_NE(ask, nullptr);
    EXPECT_TRUE(ask->IsFirstPlayerForm());
    EXPECT_EQ(menu->PendingCommand(), MainMenuScreen::kStory);
    EXPECT_EQ(h.manager.GetTransitionState(), ScreenManager::kTransitionNone);

    // The box adds the player, marks the list changed and closes; the menu becomes active again.
    ThePlayerList().SetCurrentId(ThePlayerList().Add("ann"));
    ThePlayerList().SetChanged(true);
    h.manager.PopScreens(false, 1);
    h.Frames(1);
    EXPECT_EQ(menu->PendingCommand(), -1);
    EXPECT_FALSE(ThePlayerList().IsChanged());
    EXPECT_EQ(CurrentProfile().name, String("ann"));
    EXPECT_NE(h.manager.GetTransitionState(), ScreenManager::kTransitionNone);
    EXPECT_TRUE(Heard("FadeMusicTo 0 1100"));
}

TEST_F(MainMenuScreenTest, WithAPlayerOptionsAndModesRunAtOnceAndHelpNeedsNone)
{
    MainMenuScreen* menu = Open();
    menu->SendCommand(MainMenuScreen::kHelp);
    h.Frames(1);
    EXPECT_NE(Top<MainHelpDialog>(), nullptr);
    h.manager.PopScreens(false, 1);
    h.Frames(1);

    ThePlayerList().SetCurrentId(ThePlayerList().Add("bo"));
    menu->SendCommand(MainMenuScreen::kOptions);
    h.Frames(1);
    auto* options = Top<OptionsDialog>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->IsFullForm());
    EXPECT_TRUE(h.manager.IsDimming(menu));
    h.manager.PopScreens(false, 1);
    h.Frames(1);

    menu->SendCommand(MainMenuScreen::kFreePlay);
    EXPECT_EQ(Top<NewPlayerDialog>(), nullptr);
    EXPECT_NE(h.manager.GetTransitionState(), ScreenManager::kTransitionNone);
    EXPECT_EQ(menu->PendingCommand(), -1);
}

TEST_F(MainMenuScreenTest, PlayerListCommandWritesTheProfileFirst)
{
    const int32_t id = ThePlayerList().Add("cy");
    ThePlayerList().SetCurrentId(id);
    CurrentProfile().Load(id, "cy");
    CurrentProfile().storyLevelsDone = 7;
    MainMenuScreen* menu = Open();
    menu->SendCommand(MainMenuScreen::kPlayers);
    h.Frames(1);
    EXPECT_NE(Top<PlayerSelectDialog>(), nullptr);
    PlayerProfile onDisk;
    ASSERT_TRUE(onDisk.Load(id, "cy"));
    EXPECT_EQ(onDisk.storyLevelsDone, 7);
}

TEST_F(MainMenuScreenTest, AProfileThatCannotBeReadIsToldOfOnceAndAFailedSaveAfterIt)
{
    resources.AddString(MainMenuScreen::kProfileUnreadableText, "left as it was");
    resources.AddString(UnsavedNotice::kTitle, "not saved");
    const int32_t id = ThePlayerList().Add("eve");
    std::filesystem::create_directory(scratch_->Path() / (std::to_string(id) + ".usr"));
    CurrentProfile().Load(id, "eve");
    PlayerFolders::Set(scratch_->Folder() + "missing/", ScratchPlayerFolder::kProgramFolder);
    ASSERT_FALSE(ThePlayerList().Save());
    PlayerFolders::Set(scratch_->Folder(), ScratchPlayerFolder::kProgramFolder);
    MainMenuScreen* menu = Open();
    menu->OnTransitionDone();
    ASSERT_EQ(h.manager.GetScreens().size(), 2u);
    auto* notice = Top<InfoDialog>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->GetPanel()->Line(0).text, "left as it was");
    notice->SendCommand(InfoDialog::kOkCommand);
    h.Frames(40);
    notice = Top<InfoDialog>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->GetPanel()->Title(), "not saved");
}

TEST_F(MainMenuScreenTest, AChangedListKeepsTheCurrentPlayersRecordInMemory)
{
    const int32_t id = ThePlayerList().Add("cy");
    ThePlayerList().SetCurrentId(id);
    CurrentProfile().Load(id, "cy");
    MainMenuScreen* menu = Open();
    CurrentProfile().storyLevelsDone = 7;  // not on disk, as after a save that failed
    menu->SendCommand(MainMenuScreen::kHelp);
    h.Frames(1);
    ThePlayerList().Add("di");
    h.manager.PopScreens(false, 1);
    h.Frames(1);
    EXPECT_FALSE(ThePlayerList().IsChanged());
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 7);
}

TEST_F(MainMenuScreenTest, GreetsThePlayerWhenThereIsOneAndStartsTheMusic)
{
    resources.Add(kTextType, MenuBackground::kFontMetrics, std::string_view(kMetrics));
    fonts.push_back(std::make_unique<BitmapFont>());
    ASSERT_TRUE(fonts.back()->Load(MenuBackground::kFontImage, MenuBackground::kFontMetrics, &resources));
    h.display.AddImage(MenuBackground::kFontImage, 300, 14);
    h.display.fonts[MenuBackground::kFontImage] = fonts.back().get();

    CurrentProfile().name = "dee";
    Open();
    h.manager.MarkDirty();
    h.Frames(1);
    std::string greeting;
    for (const auto& draw : h.display.ImagesIn(h.display.LastFrame(), MenuBackground::kFontImage))
        greeting += static_cast<char>('a' + draw.source.left / 10);
    EXPECT_EQ(greeting, "hellodee");
    EXPECT_TRUE(Heard("PlayMusic 335"));

    CurrentProfile().name = "";  // no player made yet
    h.manager.MarkDirty();
    h.Frames(1);
    EXPECT_TRUE(h.display.ImagesIn(h.display.LastFrame(), MenuBackground::kFontImage).empty());
}

TEST_F(MainMenuScreenTest, StoryHoverCaptionFadesInAndTellsWhetherTheStoryBegan)
{
    resources.Add(kTextType, 164, std::string_view(kMetrics));
    fonts.push_back(std::make_unique<BitmapFont>());
    ASSERT_TRUE(fonts.back()->Load(165, 164, &resources));
    h.display.AddImage(165, 300, 14);
    h.display.fonts[165] = fonts.back().get();

    MainMenuScreen* menu = Open();
    FadeCaptionButton* story = nullptr;
    for (Widget* widget : menu->GetWidgets()) {
        auto* button = dynamic_cast<FadeCaptionButton*>(widget);
        if (button && button->GetCommandId() == MainMenuScreen::kStory) story = button;
    }
    ASSERT_NE(story, nullptr);
    h.window.cursorX = 300;
    h.window.cursorY = 250;
    h.manager.OnMouseMove(0, 300, 250);
    ASSERT_TRUE(story->IsHovered());
    h.Frames(4);
    const int32_t early = story->GetCaptionAlpha();
    h.Frames(30);
    EXPECT_GT(early, 0);
    EXPECT_LT(early, 255);
    EXPECT_EQ(story->GetCaptionAlpha(), 255);
    EXPECT_EQ(h.display.ImagesIn(h.display.LastFrame(), 165).size(), std::string("begin").size());
    // The caption hangs below the button without widening where it is hit.
    EXPECT_LE(story->GetDrawnBounds().bottom, 223 + 70);

    CurrentProfile().storyLevelsDone = 1;
    h.manager.MarkDirty();
    h.Frames(1);
    EXPECT_EQ(h.display.ImagesIn(h.display.LastFrame(), 165).size(), std::string("goon").size());

    h.manager.OnMouseMove(0, 10, 10);
    h.manager.MarkDirty();
    h.Frames(1);
    EXPECT_EQ(story->GetCaptionAlpha(), 0);
}

TEST_F(MainMenuScreenTest, PartnerLogoOnlyWhenItsFileExistsAndInertWithoutAnAddress)
{
    EXPECT_EQ(Find<LinkButton>(Open()), nullptr);
    h.manager.PopScreens(false, 1);
    h.Frames(1);

    std::filesystem::copy_file(std::filesystem::path(QM_TESTDATA_DIR) / "pngsuite" / "basn2c08.png",
                               scratch_->Path() / "MenuLogo.png");
    MainMenuScreen* menu = Open();
    auto* logo = Find<LinkButton>(menu);
    ASSERT_NE(logo, nullptr);
    int32_t x = 0, y = 0;
    logo->GetPosition(x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 580 - 32);
    EXPECT_FALSE(logo->IsEffectivelyEnabled());
}

}  // namespace

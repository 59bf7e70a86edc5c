#include <gtest/gtest.h>

#include <functional>

#include "game/front/BackgroundSelectScreen.h"
#include "game/front/FrontPlayFlow.h"
#include "game/front/LayoutSelectScreen.h"
#include "game/front/LayoutsHelpDialog.h"
#include "game/front/LayoutsMenuDialog.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/MainMenuScreen.h"
#include "game/front/OptionsDialog.h"
#include "game/front/StoryHelpDialog.h"
#include "game/front/StoryMenuDialog.h"
#include "game/front/TileSetDialog.h"
#include "game/model/PlayerList.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "game/play/ToggleButton.h"
#include "tests/game/front/PlayOverlayTest.h"

namespace {

class InGameMenusTest : public PlayOverlayTest {
protected:
    void SetUp() override
    {
        PlayOverlayTest::SetUp();
        resources.AddString(23, "leave this game");
        OpenGame();
    }

    struct ButtonSpec {
        int32_t command, label, x, y;
    };

    // The box's place and size, and every button with its command, label, place and width.
    void ExpectMenu(const PanelScreen* menu, int32_t x, int32_t y, int32_t width, int32_t height,
                    const std::vector<ButtonSpec>& specs, int32_t buttonWidth)
    {
        int32_t left = 0, top = 0, w = 0, hgt = 0;
        menu->GetOrigin(left, top);
        const_cast<PanelScreen*>(menu)->GetPanelSize(w, hgt);
        EXPECT_EQ(Rect(left, top, left + w, top + hgt), Rect(x, y, x + width, y + height));
        const auto buttons = Buttons(menu);
        ASSERT_EQ(buttons.size(), specs.size());
        for (size_t i = 0; i < specs.size(); ++i) {
            SCOPED_TRACE(specs[i].command);
            EXPECT_EQ(buttons[i]->GetCommandId(), specs[i].command);
            String label;
            label.LoadResString(specs[i].label);
            EXPECT_EQ(buttons[i]->GetCaption(), label);
            int32_t bx = 0, by = 0;
            buttons[i]->GetPosition(bx, by);
            EXPECT_EQ(bx, specs[i].x);
            EXPECT_EQ(by, specs[i].y);
            EXPECT_EQ(buttons[i]->Width(), buttonWidth);
        }
    }

    // The menu has gone and the game below it takes input again.
    void ExpectBackInTheGame()
    {
        Settle();
        EXPECT_EQ(h.manager.GetScreens(), std::vector<Screen*>{play});
        EXPECT_TRUE(play->IsActive());
    }

    // The leave question that took the menu's place; null when there is none.
    MessageDialog* ExpectLeaveQuestion(int32_t dialogId)
    {
        EXPECT_EQ(h.manager.GetTransitionState(), ScreenManager::kTransitionNone);
        Settle();
        auto* question = Top<MessageDialog>();
        if (!question || h.manager.GetScreens().size() != 2u) {
            ADD_FAILURE() << "no question in the menu's place";
            return nullptr;
        }
        EXPECT_EQ(question->DialogId(), dialogId);
        EXPECT_EQ(question->Type(), MessageDialog::kShort);
        EXPECT_EQ(question->GetPanel()->LineCount(), 1);
        EXPECT_EQ(question->GetPanel()->Line(0).text, "leave this game");
        EXPECT_EQ(question->GetPanel()->Line(0).y, 80);
        for (TextButton* b : Buttons(question))
            EXPECT_TRUE(b->IsFixedSkin());
        return question;
    }
};

TEST_F(InGameMenusTest, FramesAndButtonsOfBothMenus)
{
    auto* layouts = Open(new LayoutsMenuDialog(play));
    ExpectMenu(layouts, 510, 80, 267, 421,
               {{11, 44, 38, 36},
                {12, 45, 38, 81},
                {15, 47, 38, 143},
                {16, 48, 38, 188},
                {17, 41, 38, 233},
                {14, 43, 38, 295},
                {18, 42, 38, 340}},
               190);
    EXPECT_FALSE(layouts->OnCommand(19));
    h.manager.PopScreensNow(1);

    auto* story = Open(new StoryMenuDialog(play));
    ExpectMenu(story, 565, 165, 219, 337,
               {{1, 44, 35, 41}, {3, 47, 35, 103}, {4, 48, 35, 148}, {2, 43, 35, 210}, {5, 42, 35, 255}},
               150);
    EXPECT_FALSE(story->OnCommand(6));
}

TEST_F(InGameMenusTest, BackAndAPressOutsideCloseEitherMenu)
{
    auto* menu = Open(new LayoutsMenuDialog(play));
    EXPECT_FALSE(play->IsActive());
    ClickWidget(Buttons(menu).back());
    ExpectBackInTheGame();

    Open(new LayoutsMenuDialog(play));
    Click(100, 300);  // on the game, outside the menu
    ExpectBackInTheGame();

    Open(new StoryMenuDialog(play));
    Click(20, 20);
    ExpectBackInTheGame();
}

TEST_F(InGameMenusTest, EachBoxTakesTheMenusPlaceOverTheGameAndOnlyTheHelpDimsIt)
{
    struct Case {
        bool story;
        int32_t command;
        std::function<bool(Screen*)> expected;
        bool dims;
    };
    auto tileSets = [](bool story) {
        return [story](Screen* s) {
            auto* d = dynamic_cast<TileSetDialog*>(s);
            return d && d->IsStory() == story;
        };
    };
    auto shortOptions = [](Screen* s) {
        auto* d = dynamic_cast<OptionsDialog*>(s);
        return d && !d->IsFullForm();
    };
    const Case cases[] = {
        {false, LayoutsMenuDialog::kOptions, shortOptions, false},
        {false, LayoutsMenuDialog::kTileSets, tileSets(false), false},
        {false, LayoutsMenuDialog::kBackgrounds, [](Screen* s) { return dynamic_cast<BackgroundSelectScreen*>(s) != nullptr; }, false},
        {false, LayoutsMenuDialog::kHelp, [](Screen* s) { return dynamic_cast<LayoutsHelpDialog*>(s) != nullptr; }, true},
        {true, StoryMenuDialog::kOptions, shortOptions, false},
        {true, StoryMenuDialog::kTileSets, tileSets(true), false},
        {true, StoryMenuDialog::kHelp, [](Screen* s) { return dynamic_cast<StoryHelpDialog*>(s) != nullptr; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.story) + " " + std::to_string(c.command));
        Screen* menu = c.story ? static_cast<Screen*>(new StoryMenuDialog(play)) : new LayoutsMenuDialog(play);
        Open(menu)->SendCommand(c.command);
        h.Frames(1);
        EXPECT_EQ(h.manager.IsDimming(play), c.dims);
        Settle();
        ASSERT_EQ(h.manager.GetScreens().size(), 2u);
        EXPECT_EQ(h.manager.GetScreens().front(), play);
        EXPECT_TRUE(c.expected(h.manager.GetTopScreen()));
        h.manager.PopScreens(false, 1);
        Settle();
    }
}

TEST_F(InGameMenusTest, AFailedSaveOfTheListAndOfTheProfileIsToldOnceByTheGame)
{
    PlayerFolders::Set(String((folder_ + "missing/").c_str()), String("/opt/quillomar/"));
    ASSERT_FALSE(ThePlayerList().Save());  // a new player's, on a full disk
    play->VeilToggle()->OnClick();
    EXPECT_EQ(flow.calls, std::vector<std::string>{"Info 188"});
    Open(new LayoutsMenuDialog(play))->SendCommand(LayoutsMenuDialog::kOptions);
    Settle();
    auto* options = Top<OptionsDialog>();
    ASSERT_NE(options, nullptr);
    options->SendCommand(OptionsDialog::kOk);
    ExpectBackInTheGame();
}

TEST_F(InGameMenusTest, LayoutsMenuLeavesAtOnceBeforeTheFirstMove)
{
    Open(new LayoutsMenuDialog(play))->SendCommand(LayoutsMenuDialog::kMainMenu);
    ExpectLeavingFor<MainMenuScreen>();

    OpenGame();
    Open(new LayoutsMenuDialog(play))->SendCommand(LayoutsMenuDialog::kLayouts);
    ExpectLeavingFor<LayoutSelectScreen>();
}

TEST_F(InGameMenusTest, LayoutsMenuAsksBeforeLeavingAGameInProgress)
{
    MatchOnePair();
    ASSERT_TRUE(play->IsGameInProgress());
    for (int32_t command : {LayoutsMenuDialog::kMainMenu, LayoutsMenuDialog::kLayouts}) {
        SCOPED_TRACE(command);
        Open(new LayoutsMenuDialog(play))->SendCommand(command);
        MessageDialog* question = ExpectLeaveQuestion(command);
        ASSERT_NE(question, nullptr);
        question->SendCommand(MessageDialog::kDecline);
        ExpectBackInTheGame();
        EXPECT_TRUE(flow.calls.empty());
    }
    Open(new LayoutsMenuDialog(play))->SendCommand(LayoutsMenuDialog::kLayouts);
    MessageDialog* question = ExpectLeaveQuestion(LayoutsMenuDialog::kLayouts);
    ASSERT_NE(question, nullptr);
    question->SendCommand(MessageDialog::kAccept);
    EXPECT_EQ(flow.calls, std::vector<std::string>{"LayoutSelect"});
}

TEST_F(InGameMenusTest, StoryMenuLeavesByTheQuestionTheNoticeOrStraightAway)
{
    Open(new StoryMenuDialog(play))->SendCommand(StoryMenuDialog::kMainMenu);
    EXPECT_EQ(h.manager.GetTransitionState(), ScreenManager::kTransitionNone);
    Settle();
    EXPECT_NE(Top<LeaveNoticeDialog>(), nullptr);
    EXPECT_EQ(h.manager.GetScreens().size(), 2u);
    h.manager.PopScreens(false, 1);

    MatchOnePair();
    Open(new StoryMenuDialog(play))->SendCommand(StoryMenuDialog::kMainMenu);
    MessageDialog* question = ExpectLeaveQuestion(PlayScreen::kAskLeaveToMenu);
    ASSERT_NE(question, nullptr);
    question->SendCommand(MessageDialog::kAccept);
    EXPECT_EQ(flow.calls, std::vector<std::string>{"MainMenu"});

    h.manager.ClearScreens(false);
    OpenGame();
    CurrentProfile().showLeaveNotice = false;
    Open(new StoryMenuDialog(play))->SendCommand(StoryMenuDialog::kMainMenu);
    ExpectLeavingFor<MainMenuScreen>();
}

TEST_F(InGameMenusTest, TheFrontEndOpensTheMenuOfTheScreensModeOverTheUndimmedGame)
{
    FrontPlayFlow front;
    front.OpenGameMenu(play);
    EXPECT_TRUE(h.manager.IsFading(Top<LayoutsMenuDialog>()));
    h.Frames(1);
    EXPECT_FALSE(h.manager.IsDimming(play));
    Settle();
    EXPECT_EQ(h.manager.GetScreens().size(), 2u);
    h.manager.ClearScreens(false);

    play = new PlayScreen(PlayScreen::kStory, &flow);
    h.manager.PushScreen(play, false, false, false);
    front.OpenGameMenu(play);
    EXPECT_NE(Top<StoryMenuDialog>(), nullptr);
    front.OpenGameMenu(nullptr);
    EXPECT_EQ(h.manager.GetScreens().size(), 2u);
}

}  // namespace

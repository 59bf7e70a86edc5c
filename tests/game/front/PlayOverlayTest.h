#pragma once
// A free-play game on a started manager with the dialog pictures and fonts, for the boxes that
// open over the play screen. The play screen reports to a recording front end.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "framework/ui/ScreenManager.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"
#include "game/model/TileLayout.h"
#include "game/play/Board.h"
#include "game/play/PlayFlow.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"
#include "tests/game/play/DialogHarness.h"

class RecordingPlayFlow : public PlayFlow {
public:
    std::vector<std::string> calls;

    void OpenGameMenu(PlayScreen*) override { calls.push_back("Menu"); }
    void ShowLayoutComplete(PlayScreen*, const LayoutOutcome&) override { calls.push_back("LayoutComplete"); }
    void ShowLevelComplete(PlayScreen*, int, int, const String&) override { calls.push_back("LevelComplete"); }
    void AskQuestion(PlayScreen*, int id, bool) override { calls.push_back("Ask " + std::to_string(id)); }
    void ShowInfo(int title, int) override { calls.push_back("Info " + std::to_string(title)); }
    void ShowNoMoves(PlayScreen*) override { calls.push_back("NoMoves"); }
    bool OpenTip(PlayScreen*, Board*, int, bool, const TipAnchor*) override { return false; }
    void OpenCampaign(PlayScreen*, bool advanced) override
    {
        calls.push_back(std::string("Campaign") + (advanced ? " advanced" : ""));
    }
    void LeaveToMainMenu() override { calls.push_back("MainMenu"); }
    void LeaveToLayoutSelect() override { calls.push_back("LayoutSelect"); }
    int BackgroundCount() const override { return 15; }

    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

class PlayOverlayTest : public DialogTest {
protected:
    static constexpr int kLayout = 5;

    void SetUp() override
    {
        DialogTest::SetUp();
        // Test cases run side by side: each keeps its saved games in a folder of its own.
        folder_ = testing::TempDir() + "overlay-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        CurrentProfile() = PlayerProfile(4);
        PlayerFilesNotice() = SaveFailureNotice();
        for (int index : {kLayout, kLayout + 1})
            resources.Add("LAYOUTS", PlayScreen::kFirstFreeLayoutResource + index, FourTileLayout());
        resources.AddString(19, "%d. %s");
        PlayScreen::ResetBackgroundRotation();
    }

    void TearDown() override
    {
        h.manager.ClearScreens(false);
        h.Frames(1);
        for (int index : {kLayout, kLayout + 1})
            std::remove(CurrentProfile().MakeSaveFileName(index).CStr());
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
        PlayerFolders::Set(String(), String());
        DialogTest::TearDown();
    }

    // Four undealt tiles with room between them: every one is free.
    static std::vector<uint8_t> FourTileLayout()
    {
        TileLayout layout;
        layout.SetName(String("Four"));
        for (int i = 0; i < 4; ++i)
            layout.AddTile(4 * i, 0, 0, 0);
        DataStream stream;
        stream.OpenWriteMemory();
        layout.SerializeLayout(&stream);
        return {stream.Written().begin(), stream.Written().end()};
    }

    // Opens the free-play layout as the grid does and lets the tiles land.
    void OpenGame()
    {
        play = new PlayScreen(PlayScreen::kFreePlay, &flow);
        play->SetLayout(kLayout, false, PlayScreen::kFirstFreeLayoutResource + kLayout, String("Four"));
        h.manager.PushScreen(play, false, false, false);
        play->OnTransitionIn();
        play->OnTransitionDone();
        h.Frames(40);
    }

    // Matches the first free pair through the board's click handler: a game is then in progress.
    void MatchOnePair()
    {
        TileLayout& layout = play->GetBoard()->Layout();
        Board* board = play->GetBoard();
        for (int i = 0; i < layout.Count(); ++i)
            for (int j = i + 1; j < layout.Count(); ++j) {
                Tile* a = layout.TileAt(i);
                Tile* b = layout.TileAt(j);
                if (!a->OnBoard() || !b->OnBoard() || !SameKind(a->kind, b->kind))
                    continue;
                board->OnLButtonDown(0, a->screenRect.left + board->OffsetX() + 20,
                                     a->screenRect.top + board->OffsetY() + 20);
                board->OnLButtonDown(0, b->screenRect.left + board->OffsetX() + 20,
                                     b->screenRect.top + board->OffsetY() + 20);
                return;
            }
    }

    // Pushes a box over the game as the front end does and lets it fade in.
    template <class T>
    T* Open(T* box)
    {
        h.manager.PushScreen(box, true, false, true);
        h.Frames(20);
        return box;
    }

    template <class T>
    T* Top() const
    {
        return dynamic_cast<T*>(h.manager.GetTopScreen());
    }

    // The page at the bottom of the stack (the grid, for one, opens a box over itself when it
    // finds no layouts to preview).
    template <class T>
    T* Bottom() const
    {
        const auto& screens = h.manager.GetScreens();
        return screens.empty() ? nullptr : dynamic_cast<T*>(screens.front());
    }

    // The text buttons of a box in the order it added them.
    static std::vector<TextButton*> Buttons(const Screen* box)
    {
        std::vector<TextButton*> buttons;
        for (Widget* w : box->GetWidgets())
            if (auto* b = dynamic_cast<TextButton*>(w))
                buttons.push_back(b);
        return buttons;
    }

    void ClickWidget(Widget* widget)
    {
        int32_t x = 0, y = 0;
        widget->GetAbsolutePosition(x, y);
        Click(x + 10, y + 10);
    }

    // Lets the fades and the transition run out.
    void Settle() { h.Frames(80); }

    bool SoundCalled(const std::string& call) const
    {
        return std::find(h.sound.calls.begin(), h.sound.calls.end(), call) != h.sound.calls.end();
    }

    // A change of place has begun, with the music sliding out or playing on, and ends on a page
    // of type T.
    template <class T>
    void ExpectLeavingFor(bool musicSlidesOut = true)
    {
        EXPECT_EQ(h.manager.GetTransitionState(), ScreenManager::kTransitionFadingOut);
        EXPECT_EQ(SoundCalled("FadeMusicTo 0 1100"), musicSlidesOut);
        Settle();
        EXPECT_NE(Bottom<T>(), nullptr);
    }

    RecordingPlayFlow flow;
    PlayScreen* play = nullptr;
    std::string folder_;
};

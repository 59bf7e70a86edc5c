#include "game/play/TutorialPopup.h"

#include <gtest/gtest.h>

#include "game/play/Board.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "game/play/TileLegend.h"
#include "game/play/TipPlacement.h"
#include "tests/game/play/BoardFixture.h"
#include "tests/game/play/DialogHarness.h"

namespace {

// A board host that opens the real popups, as the play screen's front end does.
class PopupHost : public RecordingHost {
public:
    ScreenManager* manager = nullptr;
    Board* board = nullptr;
    TutorialPopup* last = nullptr;
    bool OpenTip(int step, bool soundsGoOn, const TipAnchor* anchor) override
    {
        RecordingHost::OpenTip(step, soundsGoOn, anchor);
        last = TutorialPopup::Open(manager, step, board, anchor);
        return last != nullptr;
    }
};

class TutorialPopupTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        for (int32_t text : {51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66})
            resources.AddString(static_cast<uint32_t>(text), "tip " + std::to_string(text));
    }

    // The play page below the popups, with a board that raises them.
    void MakeBoard()
    {
        board = new Board(Board::kStory, &host, &FixedTicks);
        host.manager = &h.manager;
        host.board = board;
        ProbeScreen* play = h.NewScreen("play");
        Board* b = board;
        play->build = [b](ProbeScreen& s) { s.AddWidget(b, 0, 66); };
        h.manager.PushScreen(play, false, false, false);
        h.Frames(1);
    }

    TutorialPopup* Open(int step, const TipAnchor* anchor = nullptr)
    {
        TutorialPopup* popup = TutorialPopup::Open(&h.manager, step, nullptr, anchor);
        h.Frames(20);
        return popup;
    }

    template <typename T>
    std::vector<T*> WidgetsOf(Screen* screen) const
    {
        std::vector<T*> found;
        for (Widget* w : screen->GetWidgets())
            if (auto* t = dynamic_cast<T*>(w))
                found.push_back(t);
        return found;
    }

    void ClickOk(TutorialPopup* popup)
    {
        int32_t x = 0, y = 0;
        WidgetsOf<TextButton>(popup).at(0)->GetAbsolutePosition(x, y);
        Click(x + 10, y + 10);
    }

    PopupHost host;
    Board* board = nullptr;
};

TEST_F(TutorialPopupTest, EveryStepBuildsItsBoxFromItsRow)
{
    struct Row {
        int32_t x, y;
        int32_t width, height;  // from the edge lists under the frame rules
        const char* title;
        int lines;
        int32_t legendX, legendY;  // -1: no picture
        int32_t okX, okY;
        bool keepsRedrawing;
    };
    const Row rows[TutorialPopup::kSteps] = {
        {160, 85, 480, 379, "tip 56", 1, 97, 135, 200, 306, false},
        {5, 195, 362, 190, "tip 52", 1, -1, -1, 142, 118, true},
        {10, 140, 362, 232, "tip 54", 1, -1, -1, 142, 158, true},
        {140, 80, 385, 232, "tip 58", 1, -1, -1, 153, 160, true},
        {202, 170, 385, 232, "tip 60", 1, -1, -1, 152, 158, true},
        {230, 120, 339, 190, "", 1, -1, -1, 130, 110, false},
        {130, 280, 362, 211, "tip 66", 1, 76, 195, 142, 138, false},
        {350, 80, 433, 421, "tip 63", 2, 73, 110, 177, 346, true},
        {160, 85, 480, 379, "tip 56", 1, 97, 135, 200, 306, false},
    };
    for (int step = 0; step < TutorialPopup::kSteps; ++step) {
        SCOPED_TRACE(step);
        const Row& row = rows[step];
        TutorialPopup* popup = Open(step);
        EXPECT_EQ(popup->Step(), step);
        int32_t x = 0, y = 0, w = 0, hgt = 0;
        popup->GetOrigin(x, y);
        EXPECT_EQ(x, row.x);
        EXPECT_EQ(y, row.y);
        popup->GetPanelSize(w, hgt);
        EXPECT_EQ(w, row.width);
        EXPECT_EQ(hgt, row.height);
        int32_t sw = 0, sh = 0;
        TutorialPopup::FrameSize(step, sw, sh);
        EXPECT_EQ(sw, w);
        EXPECT_EQ(sh, hgt);

        FramePanel* panel = popup->GetPanel();
        ASSERT_NE(panel, nullptr);
        EXPECT_STREQ(panel->Title().CStr(), row.title);
        EXPECT_EQ(panel->LineCount(), row.lines);
        EXPECT_EQ(panel->IsActive(), row.keepsRedrawing);

        const auto legends = WidgetsOf<TileLegend>(popup);
        if (row.legendX < 0) {
            EXPECT_TRUE(legends.empty());
        } else {
            ASSERT_EQ(legends.size(), 1u);
            int32_t lx = 0, ly = 0;
            legends[0]->GetPosition(lx, ly);
            EXPECT_EQ(lx, row.legendX);
            EXPECT_EQ(ly, row.legendY);
        }
        const auto buttons = WidgetsOf<TextButton>(popup);
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_TRUE(buttons[0]->IsFixedSkin());
        EXPECT_EQ(buttons[0]->GetCommandId(), TutorialPopup::kOkCommand);
        int32_t bx = 0, by = 0;
        buttons[0]->GetPosition(bx, by);
        EXPECT_EQ(bx, row.okX);
        EXPECT_EQ(by, row.okY);
        h.manager.PopScreensNow(1);
    }
}

// Free play's first tip teaches matching in the words of the story's first tip.
TEST_F(TutorialPopupTest, TheFreePlayTipTellsWhatTheStorysFirstTipTells)
{
    TutorialPopup* story = Open(0);
    const String storyText = story->GetPanel()->Line(0).text;
    h.manager.PopScreensNow(1);
    TutorialPopup* freePlay = Open(TutorialPopup::kSteps - 1);
    EXPECT_STREQ(freePlay->GetPanel()->Line(0).text.CStr(), storyText.CStr());
}

TEST_F(TutorialPopupTest, TheNoMovesTipHasNoTitleAndWrapsItsTextOverTheContent)
{
    resources.AddString(64, "no pair is left but the special tiles can still help you along the way");
    TutorialPopup* popup = Open(5);
    FramePanel* panel = popup->GetPanel();
    ASSERT_EQ(panel->LineCount(), 1);
    EXPECT_EQ(panel->Line(0).mode, FramePanel::kWrapContent);
    EXPECT_TRUE(Drawn(286).empty());  // no title glyphs
    const Rect content = panel->ContentRect();
    const auto glyphs = Drawn(290);
    ASSERT_FALSE(glyphs.empty());
    std::vector<int32_t> rows;
    for (const Rect& g : glyphs) {
        EXPECT_GE(g.left, 230 + content.left);
        EXPECT_LE(g.right, 230 + content.right);
        if (std::find(rows.begin(), rows.end(), g.top) == rows.end())
            rows.push_back(g.top);
    }
    EXPECT_GE(rows.size(), 2u);
    EXPECT_EQ(*std::min_element(rows.begin(), rows.end()), 120 + 60 - 12);  // y is the baseline
}

TEST_F(TutorialPopupTest, OnlyTheOkButtonClosesThePopupAndTheBoardStopsSwaying)
{
    MakeBoard();
    board->OnTimer(1, 0);  // the exit tip, as its delayed event fires
    h.Frames(20);
    ASSERT_NE(host.last, nullptr);
    EXPECT_EQ(h.manager.GetTopScreen(), host.last);
    EXPECT_TRUE(board->TipGlow());
    EXPECT_TRUE(board->TipShowing());
    EXPECT_FALSE(board->IsEffectivelyEnabled());

    int32_t x = 0, y = 0;
    host.last->GetOrigin(x, y);
    Click(x + 60, y + 100);  // inside the box, beside the button
    Click(790, 590);         // outside it
    EXPECT_EQ(h.manager.GetTopScreen(), host.last);
    EXPECT_TRUE(board->TipGlow());

    TutorialPopup* popup = host.last;
    int32_t bx = 0, by = 0;
    WidgetsOf<TextButton>(popup).at(0)->GetAbsolutePosition(bx, by);
    h.manager.OnMouseMove(0, bx + 10, by + 10);
    h.manager.OnLButtonDown(kKeyLButton, bx + 10, by + 10);
    h.manager.OnLButtonUp(0, bx + 10, by + 10);
    EXPECT_FALSE(board->TipGlow());
    // Pressed again while it fades out: the page below stays.
    popup->OnCommand(TutorialPopup::kOkCommand);
    h.Frames(40);
    ASSERT_EQ(h.manager.GetScreens().size(), 1u);
    EXPECT_NE(h.manager.GetTopScreen(), popup);
    EXPECT_TRUE(board->IsEffectivelyEnabled());
    EXPECT_FALSE(board->TipShowing());
}

TEST_F(TutorialPopupTest, ATipAboutOneTileOpensBesideThatTile)
{
    // Step 2's frame is 362 x 232.
    TipAnchor left;
    left.drawnLeft = 500;
    left.drawnRight = 548;
    left.tileTop = 100;
    left.boardX = 0;
    left.boardY = 66;
    left.offsetY = 10;
    TutorialPopup* popup = Open(2, &left);
    int32_t x = 0, y = 0;
    popup->GetOrigin(x, y);
    EXPECT_EQ(x, 500 - 362);
    EXPECT_EQ(y, 100 - 116 + 66 + 10 + 29);
    h.manager.PopScreensNow(1);

    // Too near the right edge for either side: the top-left corner of the board.
    TipAnchor right = left;
    right.drawnLeft = 300;
    right.drawnRight = 700;
    popup = Open(2, &right);
    popup->GetOrigin(x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 66 + 20);
}

TEST_F(TutorialPopupTest, AnUnknownStepShowsTheFirstOne)
{
    for (int step : {-1, 9, 1000}) {
        SCOPED_TRACE(step);
        TutorialPopup* popup = Open(step);
        EXPECT_EQ(popup->Step(), 0);
        int32_t x = 0, y = 0;
        popup->GetOrigin(x, y);
        EXPECT_EQ(x, 160);
        EXPECT_EQ(y, 85);
        h.manager.PopScreensNow(1);
    }
    EXPECT_EQ(TutorialPopup::Open(nullptr, 0, nullptr, nullptr), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include "framework/ui/ScreenManager.h"
#include "game/front/FrontPlayFlow.h"
#include "game/front/LayoutCompleteDialog.h"
#include "game/front/LayoutSelectScreen.h"
#include "game/front/LevelCompleteDialog.h"
#include "game/front/MessageBanner.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "tests/game/front/PlayOverlayTest.h"

namespace {

class ResultBoxesTest : public PlayOverlayTest {
protected:
    void SetUp() override
    {
        PlayOverlayTest::SetUp();
        resources.AddString(174, "- %s -");
        resources.AddString(175, "best score and time");
        resources.AddString(176, "best score");
        resources.AddString(178, "best time");
        resources.AddString(177, "top");
        resources.AddString(179, "fastest");
        resources.AddString(182, "score");
        resources.AddString(183, "time");
        resources.AddString(36, "points");
        resources.AddString(37, "took");
        resources.AddString(34, "level complete");
        // The banner's font: "a" to "z" 10 wide, as the dialog fonts.
        resources.Add(kTextType, MessageBanner::kFontMetrics, std::string_view(kMetrics));
        bannerFont.Load(MessageBanner::kFontImage, MessageBanner::kFontMetrics, &resources);
        h.display.fonts[MessageBanner::kFontImage] = &bannerFont;
        h.display.AddImage(MessageBanner::kFontImage, 300, 14);
        h.display.AddImage(MessageBanner::kImage, 310, 120);
        OpenGame();
    }

    LayoutCompleteDialog* OpenLayoutComplete(bool newTime, bool newScore)
    {
        return Open(new LayoutCompleteDialog(65, 3725, newTime, 850, 990, newScore));
    }

    // The x and text of each line at height y, left to right.
    static std::vector<std::pair<int32_t, std::string>> LinesAt(const FramePanel* panel, int32_t y)
    {
        std::vector<std::pair<int32_t, std::string>> lines;
        for (int i = 0; i < panel->LineCount(); ++i)
            if (panel->Line(i).y == y)
                lines.emplace_back(panel->Line(i).x, panel->Line(i).text.CStr());
        return lines;
    }

    // The tops of the banner's glyphs in the last frame, lowest first.
    std::vector<int32_t> BannerGlyphTops() const
    {
        std::vector<int32_t> tops;
        for (const auto& draw : h.display.ImagesIn(h.display.LastFrame(), MessageBanner::kFontImage))
            tops.push_back(draw.rect.top);
        std::sort(tops.begin(), tops.end());
        tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
        return tops;
    }

    BitmapFont bannerFont;
};

// ---------------------------------------------------------------------------------------------
// A cleared layout

TEST_F(ResultBoxesTest, LayoutCompleteShowsEachValueJustAfterItsLabel)
{
    auto* box = OpenLayoutComplete(false, false);
    int32_t w = 0, hgt = 0;
    box->GetPanelSize(w, hgt);
    EXPECT_EQ(w, 528);
    EXPECT_EQ(hgt, 253);
    const FramePanel* panel = box->GetPanel();
    // Labels are 10 px a letter in the line font; each value starts 6 px after its label.
    using Row = std::vector<std::pair<int32_t, std::string>>;
    EXPECT_EQ(LinesAt(panel, 85), (Row{{50, "time"}, {96, "0:01:05"}, {300, "fastest"}, {376, "1:02:05"}}));
    EXPECT_EQ(LinesAt(panel, 115), (Row{{50, "score"}, {106, "850"}, {300, "top"}, {336, "990"}}));
    for (int i = 0; i < panel->LineCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(panel->Line(i).mode, FramePanel::kLines);
        EXPECT_EQ(panel->Line(i).fontFlag, i % 2);  // values in the emphasis font
    }
    EXPECT_TRUE(box->RecordText().IsEmpty());
    EXPECT_EQ(panel->LineCount(), 8);  // no record line

    const auto buttons = Buttons(box);
    ASSERT_EQ(buttons.size(), 2u);
    int32_t x = 0, y = 0;
    buttons[0]->GetPosition(x, y);
    EXPECT_EQ(buttons[0]->GetCommandId(), LayoutCompleteDialog::kLayouts);
    EXPECT_EQ(x, 62);
    EXPECT_EQ(y, 175);
    buttons[1]->GetPosition(x, y);
    EXPECT_EQ(buttons[1]->GetCommandId(), LayoutCompleteDialog::kNextLayout);
    EXPECT_EQ(x, 267);
    EXPECT_EQ(y, 175);
    EXPECT_FALSE(box->OnCommand(0));
    EXPECT_FALSE(box->OnCommand(3));
    EXPECT_TRUE(SoundCalled("LoadSound 375"));
    EXPECT_TRUE(SoundCalled("PlaySound 375"));
}

TEST_F(ResultBoxesTest, LayoutCompleteNamesTheRecordsThatWereBroken)
{
    struct Case {
        bool newTime, newScore;
        const char* record;
    };
    for (const Case& c : {Case{true, true, "- best score and time -"}, Case{false, true, "- best score -"},
                          Case{true, false, "- best time -"}}) {
        SCOPED_TRACE(c.record);
        auto* box = OpenLayoutComplete(c.newTime, c.newScore);
        EXPECT_EQ(box->RecordText(), c.record);
        const FramePanel* panel = box->GetPanel();
        ASSERT_EQ(panel->LineCount(), 9);
        EXPECT_EQ(panel->Line(8).text, c.record);
        EXPECT_EQ(panel->Line(8).y, 155);
        h.manager.PopScreensNow(1);
    }
}

TEST_F(ResultBoxesTest, TheRecordLineIsCentredInTheBox)
{
    auto* box = OpenLayoutComplete(true, true);
    int32_t x = 0, y = 0, w = 0, hgt = 0;
    box->GetPanel()->GetAbsolutePosition(x, y);
    box->GetPanelSize(w, hgt);
    int32_t left = INT32_MAX, right = INT32_MIN;
    for (const auto& draw : h.display.ImagesIn(h.display.LastFrame(), 290)) {
        if (draw.rect.top < y + 140)  // the time and score rows above it
            continue;
        left = std::min(left, draw.rect.left);
        right = std::max(right, draw.rect.right);
    }
    ASSERT_LT(left, right);
    EXPECT_NEAR(left + right, 2 * x + w, 20) << "record line from " << left << " to " << right;
}

TEST_F(ResultBoxesTest, ARecordFrameThatCannotTakeTheRecordIsLeftOut)
{
    for (const char* frame : {"%d points", "%s and %s", "100%", "plain"}) {
        SCOPED_TRACE(frame);
        resources.AddString(174, frame);
        EXPECT_EQ(LayoutCompleteDialog(1, 2, true, 3, 4, false).RecordText(), "best time");
    }
    resources.AddString(174, "%% %s");
    EXPECT_EQ(LayoutCompleteDialog(1, 2, true, 3, 4, false).RecordText(), "% best time");
}

TEST_F(ResultBoxesTest, LayoutCompleteGoesOnToTheNextLayoutOrToTheGrid)
{
    ClickWidget(Buttons(OpenLayoutComplete(false, false))[1]);
    EXPECT_EQ(play->Index(), kLayout + 1);
    EXPECT_EQ(CurrentProfile().currentLayout, kLayout + 1);
    Settle();
    EXPECT_EQ(h.manager.GetScreens(), std::vector<Screen*>{play});
    EXPECT_TRUE(play->IsActive());

    h.sound.calls.clear();
    ClickWidget(Buttons(OpenLayoutComplete(true, true))[0]);
    ExpectLeavingFor<LayoutSelectScreen>(false);
}

// ---------------------------------------------------------------------------------------------
// A won level

TEST_F(ResultBoxesTest, LevelCompleteShowsTimeScoreAndTheBannerAndPlaysItsSound)
{
    auto* box = Open(new LevelCompleteDialog(3600 * 12, 720, String("the jade road")));
    EXPECT_EQ(box->TimeText(), "12:00:00");
    EXPECT_EQ(box->ScoreText(), "720");
    const FramePanel* panel = box->GetPanel();
    using Row = std::vector<std::pair<int32_t, std::string>>;
    EXPECT_EQ(LinesAt(panel, 85), (Row{{130, "took"}, {176, "12:00:00"}, {290, "points"}, {356, "720"}}));
    EXPECT_EQ(panel->Line(1).fontFlag, 1);
    EXPECT_EQ(panel->Line(3).fontFlag, 1);

    // Two ornamented corners: the frame drawn reaches 547 by 296.
    const Rect& drawn = panel->GetDrawnBounds();
    EXPECT_EQ(drawn.right - drawn.left, 547);
    EXPECT_EQ(drawn.bottom - drawn.top, 296);

    const auto buttons = Buttons(box);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_TRUE(buttons[0]->IsFixedSkin());
    int32_t x = 0, y = 0;
    buttons[0]->GetPosition(x, y);
    EXPECT_EQ(x, 234);
    EXPECT_EQ(y, 224);
    ASSERT_NE(box->GetBanner(), nullptr);
    box->GetBanner()->GetPosition(x, y);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 103);
    EXPECT_TRUE(SoundCalled("LoadSound 373"));
    EXPECT_TRUE(SoundCalled("PlaySound 373"));
    EXPECT_FALSE(box->OnCommand(2));
}

TEST_F(ResultBoxesTest, LevelCompleteOkReturnsToTheCampaign)
{
    auto* box = Open(new LevelCompleteDialog(30, 10, String("jade")));
    ClickWidget(Buttons(box)[0]);
    EXPECT_TRUE(flow.Called("Campaign"));
    Settle();
    EXPECT_EQ(h.manager.GetTopScreen(), play);
}

TEST_F(ResultBoxesTest, TheBannerWaitsThenFadesInOverOneAndAHalfSeconds)
{
    auto* box = new LevelCompleteDialog(30, 10, String("jade"));
    h.manager.PushScreen(box, true, false, false);
    MessageBanner* banner = box->GetBanner();
    EXPECT_TRUE(h.manager.UpdateList().Contains(banner));
    h.Frames(22);  // 550 ms
    EXPECT_EQ(banner->Alpha(), 0);
    EXPECT_TRUE(h.display.ImagesIn(h.display.LastFrame(), MessageBanner::kImage).empty());
    h.Frames(4);
    EXPECT_GT(banner->Alpha(), 0);
    EXPECT_LT(banner->Alpha(), 30);
    const auto shown = h.display.ImagesIn(h.display.LastFrame(), MessageBanner::kImage);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].alpha, banner->Alpha());
    h.Frames(30);  // about half-way
    EXPECT_GT(banner->Alpha(), 100);
    EXPECT_LT(banner->Alpha(), 160);
    h.Frames(40);
    EXPECT_EQ(banner->Alpha(), 255);
    EXPECT_FALSE(h.manager.UpdateList().Contains(banner));  // nothing left to change
}

TEST_F(ResultBoxesTest, TheBannerStandsStillWhileTheBoxIsCovered)
{
    auto* box = Open(new LevelCompleteDialog(30, 10, String("jade")));
    h.Frames(20);
    const int32_t alpha = box->GetBanner()->Alpha();
    ASSERT_GT(alpha, 0);
    ASSERT_LT(alpha, 255);
    auto* cover = new ScriptedPanel(0, 0, nullptr);
    h.manager.PushScreen(cover, true, false, false);
    h.Frames(100);
    EXPECT_EQ(box->GetBanner()->Alpha(), alpha);
    h.manager.PopScreens(false, 1);
    h.Frames(100);
    EXPECT_EQ(box->GetBanner()->Alpha(), 255);
}

TEST_F(ResultBoxesTest, ACaptionOfThreeLinesStartsTenPixelsHigherThanOneOfTwo)
{
    // 27 letters a line fit the 270-px box.
    const String two("aaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbb");
    const String three("aaaaaaaaaaaaaaaaaaaa bbbbbbbbbbbbbbbbbbbb cccccccccccccccccccc");
    std::vector<int32_t> tops[2];
    int lines[2] = {};
    for (int i = 0; i < 2; ++i) {
        auto* box = Open(new LevelCompleteDialog(30, 10, i == 0 ? two : three));
        h.Frames(100);
        lines[i] = box->GetBanner()->BodyLineCount();
        tops[i] = BannerGlyphTops();
        h.manager.PopScreensNow(1);
        h.Frames(1);
    }
    EXPECT_EQ(lines[0], 2);
    EXPECT_EQ(lines[1], 3);
    // The heading, then one top per body line, 21 px apart.
    ASSERT_EQ(tops[0].size(), 3u);
    ASSERT_EQ(tops[1].size(), 4u);
    EXPECT_EQ(tops[0][0], tops[1][0]);
    EXPECT_EQ(tops[1][1], tops[0][1] - 10);
    EXPECT_EQ(tops[0][2] - tops[0][1], 21);
    EXPECT_EQ(tops[1][3] - tops[1][2], 21);
}

// ---------------------------------------------------------------------------------------------
// Opened by the front end

TEST_F(ResultBoxesTest, TheFrontEndOpensEachBoxWithItsOutcomeOverTheUndimmedGame)
{
    FrontPlayFlow front;
    LayoutOutcome outcome;
    outcome.seconds = 61;
    outcome.bestSeconds = 59;
    outcome.score = 300;
    outcome.bestScore = 310;
    outcome.newBestTime = true;
    front.ShowLayoutComplete(play, outcome);
    auto* cleared = Top<LayoutCompleteDialog>();
    ASSERT_NE(cleared, nullptr);
    EXPECT_TRUE(h.manager.IsFading(cleared));
    h.Frames(1);
    EXPECT_FALSE(h.manager.IsDimming(play));
    EXPECT_EQ(cleared->TimeText(), "0:01:01");
    EXPECT_EQ(cleared->BestTimeText(), "0:00:59");
    EXPECT_EQ(cleared->ScoreText(), "300");
    EXPECT_EQ(cleared->BestScoreText(), "310");
    EXPECT_EQ(cleared->RecordText(), "- best time -");
    h.manager.PopScreensNow(1);

    front.ShowLevelComplete(play, 7, 40, String("caption"));
    auto* won = Top<LevelCompleteDialog>();
    ASSERT_NE(won, nullptr);
    EXPECT_TRUE(h.manager.IsFading(won));
    h.Frames(1);
    EXPECT_FALSE(h.manager.IsDimming(play));
    EXPECT_EQ(won->TimeText(), "0:00:07");
    EXPECT_EQ(won->ScoreText(), "40");
    h.manager.PopScreensNow(1);

    front.ShowLevelComplete(nullptr, 7, 40, String());
    front.ShowLayoutComplete(nullptr, outcome);
    EXPECT_EQ(h.manager.GetScreens(), std::vector<Screen*>{play});
}

}  // namespace

#include "game/front/BackgroundSelectScreen.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/ui/Button.h"
#include "framework/ui/RadioButton.h"
#include "game/front/BackgroundThumb.h"
#include "game/model/PlayerProfile.h"
#include "game/play/BackgroundImage.h"
#include "game/play/PlayScreen.h"
#include "tests/game/front/FrontHarness.h"

namespace {

// Story levels done for a given number of unlocked backgrounds: the first level of each
// dynasty (0, 3, 7, 12, ...) unlocks one.
int LevelsFor(int backgrounds) {
    const int dynasty = backgrounds - 4;
    if (dynasty <= 0) return 0;
    if (dynasty == 1) return 3;
    return 7 + (dynasty - 2) * 5;
}

class BackgroundSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        CurrentProfile() = PlayerProfile();
        PlayScreen::ResetBackgroundRotation();
        f.Fonts({160, 284, 286, 290, 307});
        f.Picture(BackgroundThumb::kFrameImage, 196, 118);
        f.Picture(BackgroundThumb::kPictureSheet, 3 * 186, 5 * 107);
        f.Picture(BackgroundThumb::kSelectedMark, 222, 142);
        f.Picture(293, 4 * 40, 40);
        f.Picture(294, 4 * 40, 40);
        f.Picture(298, 2 * 30, 30);
        f.Picture(287, 300, 42);
        play = new PlayScreen(PlayScreen::kFreePlay, nullptr);
        f.ui.manager.PushScreen(play, false, false, false);
    }

    BackgroundSelectScreen* Open(int backgrounds, int32_t choice) {
        CurrentProfile().storyLevelsDone = LevelsFor(backgrounds);
        CurrentProfile().background = choice;
        auto* dialog = new BackgroundSelectScreen();
        f.ui.manager.PushScreen(dialog, true, false, true);
        f.ui.Frames(40);
        return dialog;
    }
    void Click(const Widget* widget) {
        const Rect& r = widget->GetDrawnBounds();
        const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        f.ui.window.cursorX = x;
        f.ui.window.cursorY = y;
        f.ui.manager.OnMouseMove(0, x, y);
        f.ui.manager.OnLButtonDown(1, x, y);
        f.ui.manager.OnLButtonUp(0, x, y);
    }
    // What each thumbnail shows, and whether it is enabled, as "b" or "-" per position.
    static std::string View(const BackgroundSelectScreen* d) {
        std::string view;
        for (int32_t i = 0; i < BackgroundSelectScreen::kThumbCount; ++i) {
            const BackgroundThumb* t = d->GetThumb(i);
            const int32_t b = t->GetBackground();
            view += b < 0 ? "-" : std::to_string(b);
            if ((b >= 0) != t->IsEnabled()) view += "!";
            view += " ";
        }
        return view;
    }

    FrontHarness f;
    PlayScreen* play = nullptr;
};

TEST_F(BackgroundSelectTest, EveryDynastyReachedUnlocksOneMore) {
    for (auto [done, count] : {std::pair{0, 4}, {2, 4}, {3, 5}, {7, 6}, {46, 13}, {47, 14}, {52, 15}}) {
        CurrentProfile().storyLevelsDone = done;
        EXPECT_EQ(BackgroundSelectScreen::BackgroundCount(), count) << done;
    }
    CurrentProfile().storyLevelsDone = -8;
    EXPECT_EQ(BackgroundSelectScreen::BackgroundCount(), 4);
    CurrentProfile().storyLevelsDone = 900;
    EXPECT_EQ(BackgroundSelectScreen::BackgroundCount(), 15);
}

TEST_F(BackgroundSelectTest, WithFourBackgroundsTheSecondRowIsHalfEmptyAndNothingScrolls) {
    BackgroundSelectScreen* d = Open(4, PlayerProfile::kRotateBackgrounds);
    EXPECT_TRUE(d->IsRotating());
    EXPECT_EQ(d->GetGroup().GetSelected(), BackgroundSelectScreen::kRotationValue);
    EXPECT_TRUE(d->GetRotationButton()->IsSelected());
    EXPECT_EQ(d->GetFirst(), 0);
    EXPECT_EQ(View(d), "0 1 2 3 - - ");
    EXPECT_FALSE(d->GetUpButton()->IsEnabled());
    EXPECT_FALSE(d->GetDownButton()->IsEnabled());
}

TEST_F(BackgroundSelectTest, AFixedChoiceOpensOnItsRowWithTheRowBelowFilled) {
    struct Case {
        int backgrounds;
        int32_t choice;
        int32_t first;
        int32_t position;
    };
    for (const Case& c : {Case{15, 7, 6, 1}, Case{15, 13, 9, 4}, Case{15, 2, 0, 2}, Case{8, 7, 3, 4},
                          Case{6, 4, 0, 4}, Case{4, 14, 0, 3}}) {
        BackgroundSelectScreen* d = Open(c.backgrounds, c.choice);
        EXPECT_FALSE(d->IsRotating());
        EXPECT_EQ(d->GetFirst(), c.first) << c.backgrounds << "/" << c.choice;
        EXPECT_EQ(d->GetGroup().GetSelected(), c.position) << c.backgrounds << "/" << c.choice;
        EXPECT_TRUE(d->GetThumb(c.position)->IsEnabled());
        f.ui.manager.PopScreensNow(1);
    }
}

TEST_F(BackgroundSelectTest, ScrollingMovesByARowAndKeepsTheSelectionOnAThumbnail) {
    BackgroundSelectScreen* d = Open(7, PlayerProfile::kRotateBackgrounds);
    EXPECT_EQ(View(d), "0 1 2 3 4 5 ");
    Click(d->GetThumb(5));
    EXPECT_EQ(d->GetGroup().GetSelected(), 5);
    EXPECT_TRUE(d->GetDownButton()->IsEnabled());
    EXPECT_FALSE(d->GetUpButton()->IsEnabled());
    Click(d->GetDownButton());
    EXPECT_EQ(d->GetFirst(), 3);
    EXPECT_EQ(View(d), "3 4 5 6 - - ");
    EXPECT_EQ(d->GetGroup().GetSelected(), 3) << "the last background on view";
    EXPECT_TRUE(d->GetUpButton()->IsEnabled());
    EXPECT_FALSE(d->GetDownButton()->IsEnabled());
    d->SendCommand(BackgroundSelectScreen::kScrollUp);
    EXPECT_EQ(d->GetFirst(), 0);
    d->SendCommand(BackgroundSelectScreen::kScrollUp);
    EXPECT_EQ(d->GetFirst(), 0) << "no row above the first";

    BackgroundSelectScreen* all = Open(15, 0);
    for (int i = 0; i < 5; ++i) all->SendCommand(BackgroundSelectScreen::kScrollDown);
    EXPECT_EQ(all->GetFirst(), 9);
    EXPECT_EQ(View(all), "9 10 11 12 13 14 ");
    EXPECT_FALSE(all->GetDownButton()->IsEnabled());
}

TEST_F(BackgroundSelectTest, TheRotationButtonSwitchesAndAThumbnailEndsTheRotation) {
    BackgroundSelectScreen* d = Open(15, 4);
    Click(d->GetRotationButton());
    EXPECT_TRUE(d->IsRotating());
    EXPECT_EQ(d->GetGroup().GetSelected(), BackgroundSelectScreen::kRotationValue);
    Click(d->GetRotationButton());
    EXPECT_FALSE(d->IsRotating());
    EXPECT_EQ(d->GetGroup().GetSelected(), 0);
    Click(d->GetRotationButton());
    Click(d->GetThumb(2));
    EXPECT_FALSE(d->IsRotating());
    EXPECT_EQ(d->GetGroup().GetSelected(), 2);
    EXPECT_FALSE(d->GetRotationButton()->IsSelected());
    EXPECT_TRUE(d->OnCommand(4711)) << "every command is handled";
}

TEST_F(BackgroundSelectTest, ApplyStoresTheBackgroundAndThePlayScreenShowsIt) {
    BackgroundSelectScreen* d = Open(15, PlayerProfile::kRotateBackgrounds);
    d->SendCommand(BackgroundSelectScreen::kScrollDown);
    Click(d->GetThumb(4));
    d->SendCommand(BackgroundSelectScreen::kApply);
    EXPECT_EQ(CurrentProfile().background, 7);
    EXPECT_EQ(play->GetBackground()->ImageId(), PlayScreen::kBackgrounds[7]);
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), play);

    BackgroundSelectScreen* rotation = Open(15, 3);
    Click(rotation->GetRotationButton());
    rotation->SendCommand(BackgroundSelectScreen::kApply);
    EXPECT_EQ(CurrentProfile().background, PlayerProfile::kRotateBackgrounds);
    EXPECT_EQ(play->GetBackground()->ImageId(), PlayScreen::kBackgrounds[0]) << "the rotation's first";
}

TEST_F(BackgroundSelectTest, CloseLeavesTheChoiceAlone) {
    BackgroundSelectScreen* d = Open(15, 6);
    Click(d->GetThumb(1));
    d->SendCommand(BackgroundSelectScreen::kClose);
    f.ui.Frames(40);
    EXPECT_EQ(CurrentProfile().background, 6);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), play);
}

TEST_F(BackgroundSelectTest, AThumbnailDrawsItsFramedPictureAndAnEmptyOneTheWholeFrame) {
    BackgroundSelectScreen* d = Open(5, 4);
    f.ui.manager.MarkDirty();
    f.ui.Frames(1);
    int32_t x = 0, y = 0;
    d->GetThumb(4)->GetAbsolutePosition(x, y);
    ASSERT_EQ(x, 40 + 246);
    ASSERT_EQ(y, 80 + 218);

    auto pictures = f.Images(BackgroundThumb::kPictureSheet);
    ASSERT_EQ(pictures.size(), 5u);
    const auto& fifth = pictures[4];
    EXPECT_EQ(fifth.x, x + 4);
    EXPECT_EQ(fifth.y, y + 5);
    EXPECT_EQ(fifth.source, (Rect{186, 107, 372, 214}));

    std::vector<Rect> strips;
    bool wholeFrame = false;
    for (const auto& draw : f.Images(BackgroundThumb::kFrameImage)) {
        if (draw.x == 40 + 446 && draw.y == 80 + 218) wholeFrame = !draw.hasSource;
        if (draw.x >= x && draw.x < x + 196 && draw.y >= y && draw.y < y + 118) strips.push_back(draw.source);
    }
    EXPECT_TRUE(wholeFrame) << "position 5 has no background";
    EXPECT_EQ(strips, (std::vector<Rect>{{0, 0, 196, 6}, {0, 111, 196, 118}, {0, 5, 5, 112}, {189, 5, 196, 112}}));

    auto marks = f.Images(BackgroundThumb::kSelectedMark);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].x, x - 13);
    EXPECT_EQ(marks[0].y, y - 12);
    EXPECT_EQ(d->GetThumb(4)->GetDrawnBounds(), (Rect{x, y, x + 196, y + 118}));
}

TEST_F(BackgroundSelectTest, ADoubleClickOnAThumbnailApplies) {
    BackgroundSelectScreen* d = Open(15, PlayerProfile::kRotateBackgrounds);
    const Rect r = d->GetThumb(5)->GetDrawnBounds();
    f.ui.sound.calls.clear();
    f.ui.manager.OnLButtonDblClk(1, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(CurrentProfile().background, 5);
    EXPECT_EQ(std::count(f.ui.sound.calls.begin(), f.ui.sound.calls.end(), "PlaySound 105"), 1);
    EXPECT_EQ(play->GetBackground()->ImageId(), PlayScreen::kBackgrounds[5]);
}

}  // namespace

#include "game/front/TileSetDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/front/MenuHandOver.h"
#include "game/front/TileSetButton.h"
#include "game/model/PlayerProfile.h"
#include "game/play/Board.h"
#include "game/play/PlayScreen.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class TileSetDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CurrentProfile() = PlayerProfile();
        f.Fonts({160, 284, 286, 290, 307});
        f.Picture(TileSetButton::kBaseImage, 8 * 48, 58);
        for (int32_t face : {101, 215, 313, 315, 317, 319}) f.Picture(face, 6 * 38, 8 * 48);
        f.Picture(TileSetButton::kSelectedMark, 128, 140);
        f.Picture(287, 300, 42);
        play = new PlayScreen(PlayScreen::kFreePlay, nullptr);
        f.ui.manager.PushScreen(play, false, false, false);
    }

    TileSetDialog* Open(bool story) {
        auto* dialog = new TileSetDialog(story);
        f.ui.manager.PushScreen(dialog, true, false, true);
        f.ui.Frames(40);
        return dialog;
    }
    // A press and release at the centre of what the widget drew last.
    void Click(const Widget* widget) {
        const Rect& r = widget->GetDrawnBounds();
        const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        f.ui.window.cursorX = x;
        f.ui.window.cursorY = y;
        f.ui.manager.OnMouseMove(0, x, y);
        f.ui.manager.OnLButtonDown(1, x, y);
        f.ui.manager.OnLButtonUp(0, x, y);
    }
    // The play screen below asked for the highlight of `set` since the requests were cleared.
    bool SetApplied(int set) const {
        const auto& asked = f.ui.display.requestedImages;
        return std::count(asked.begin(), asked.end(), Board::ImagesOfTileSet(set).highlightImage) > 0;
    }

    FrontHarness f;
    PlayScreen* play = nullptr;
};

TEST_F(TileSetDialogTest, ShowsSixSamplesWithTheEditedModesSetChosen) {
    CurrentProfile().freeTileSet = 4;
    CurrentProfile().storyTileSet = 2;
    TileSetDialog* story = Open(true);
    EXPECT_EQ(story->GetGroup().GetSelected(), 2);
    ASSERT_NE(story->GetButton(2), nullptr);
    EXPECT_TRUE(story->GetButton(2)->IsSelected());
    EXPECT_FALSE(story->GetButton(4)->IsSelected());
    EXPECT_EQ(story->GetButton(6), nullptr);
    EXPECT_EQ(story->GetButton(-1), nullptr);

    const int32_t places[6][3] = {{0, 52, 70},  {0, 192, 70},  {6, 332, 70},
                                  {7, 52, 207}, {0, 192, 207}, {0, 332, 207}};
    for (int32_t v = 0; v < 6; ++v) {
        int32_t x = 0, y = 0;
        story->GetButton(v)->GetAbsolutePosition(x, y);
        EXPECT_EQ(x, 160 + places[v][1]) << v;
        EXPECT_EQ(y, 80 + places[v][2]) << v;
        EXPECT_EQ(story->GetButton(v)->GetBaseColumn(), places[v][0]) << v;
    }

    f.ui.manager.PopScreensNow(1);
    TileSetDialog* free = Open(false);
    EXPECT_EQ(free->GetGroup().GetSelected(), 4);
}

TEST_F(TileSetDialogTest, ASampleIsTwoStackedPairsAndTheMarkDoesNotWidenItsHitArea) {
    CurrentProfile().freeTileSet = 2;
    TileSetDialog* dialog = Open(false);
    f.ui.manager.MarkDirty();
    f.ui.Frames(1);
    const int32_t left = 160 + 332, top = 80 + 70;

    auto bases = f.Images(TileSetButton::kBaseImage);
    std::vector<RecordingDisplay::Draw> ofSet;
    for (const auto& d : bases) {
        if (d.x >= left - 16 && d.x < left + 100 && d.y >= top - 15 && d.y < top + 120) ofSet.push_back(d);
    }
    ASSERT_EQ(ofSet.size(), 7u);
    EXPECT_EQ(ofSet[0].op, RecordingDisplay::Op::KeyedImage);
    EXPECT_EQ(ofSet[0].colour, 0xFF00FFu);
    EXPECT_EQ(ofSet[0].source, (Rect{6 * 48, 0, 7 * 48, 58}));
    EXPECT_EQ(ofSet[0].x, left + 42);
    EXPECT_EQ(ofSet[0].y, top + 58);
    EXPECT_EQ(ofSet[6].x, left + 6);
    EXPECT_EQ(ofSet[6].y, top + 52);

    auto faces = f.Images(313);
    ASSERT_EQ(faces.size(), 4u);
    // Kind 14 sits on the base at (48, 0), kind 37 on (48, 52), kind 4 on (6, 0), kind 21 on (6, 52).
    EXPECT_EQ(faces[0].x, left + 55);
    EXPECT_EQ(faces[0].y, top + 3);
    EXPECT_EQ(faces[0].source, (Rect{38, 96, 76, 144}));
    EXPECT_EQ(faces[1].source, (Rect{0, 288, 38, 336}));
    EXPECT_EQ(faces[2].source, (Rect{114, 0, 152, 48}));
    EXPECT_EQ(faces[3].source, (Rect{76, 144, 114, 192}));
    EXPECT_EQ(faces[3].x, left + 13);
    EXPECT_EQ(faces[3].y, top + 55);

    auto marks = f.Images(TileSetButton::kSelectedMark);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].x, left - 16);
    EXPECT_EQ(marks[0].y, top - 15);
    EXPECT_EQ(dialog->GetButton(2)->GetDrawnBounds(), (Rect{left, top, left + 96, top + 116}));
}

TEST_F(TileSetDialogTest, ApplyStoresTheChoiceClosesAndHasThePlayScreenDealFromIt) {
    CurrentProfile().freeTileSet = 1;
    CurrentProfile().storyTileSet = 0;
    TileSetDialog* dialog = Open(false);
    Click(dialog->GetButton(3));
    EXPECT_EQ(dialog->GetGroup().GetSelected(), 3);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), dialog) << "choosing alone does not close";
    EXPECT_TRUE(dialog->OnCommand(77)) << "other commands are swallowed";

    f.ui.display.requestedImages.clear();
    dialog->SendCommand(TileSetDialog::kApply);
    EXPECT_EQ(CurrentProfile().freeTileSet, 3);
    EXPECT_EQ(CurrentProfile().storyTileSet, 0);
    EXPECT_TRUE(SetApplied(3));
    dialog->SendCommand(TileSetDialog::kApply);
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), play);
    EXPECT_TRUE(play->IsActive());
}

TEST_F(TileSetDialogTest, ApplyReachesThePlayScreenWhileTheMenuThatOpenedTheBoxFadesOut) {
    ProbeScreen* menu = f.ui.NewScreen("menu");
    f.ui.manager.PushScreen(menu, true, false, false);
    auto* dialog = new TileSetDialog(false);
    MenuHandOver::OpenInPlace(menu, dialog, false);
    dialog->GetGroup().Select(4);
    f.ui.display.requestedImages.clear();
    dialog->Apply();
    EXPECT_TRUE(SetApplied(4));
}

TEST_F(TileSetDialogTest, CloseKeepsTheStoredSet) {
    CurrentProfile().storyTileSet = 5;
    TileSetDialog* dialog = Open(true);
    Click(dialog->GetButton(0));
    f.ui.display.requestedImages.clear();
    dialog->SendCommand(TileSetDialog::kClose);
    f.ui.Frames(40);
    EXPECT_EQ(CurrentProfile().storyTileSet, 5);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), play);
    EXPECT_FALSE(SetApplied(0));
}

TEST_F(TileSetDialogTest, AChoiceOutsideTheSixSetsIsStoredAsTheSecond) {
    CurrentProfile().storyTileSet = 9;
    TileSetDialog* dialog = Open(true);
    EXPECT_EQ(dialog->GetGroup().GetSelected(), 9);
    for (int32_t v = 0; v < 6; ++v) EXPECT_FALSE(dialog->GetButton(v)->IsSelected());
    dialog->Apply();
    EXPECT_EQ(CurrentProfile().storyTileSet, TileSetDialog::kFallbackSet);
}

TEST_F(TileSetDialogTest, ADoubleClickChoosesAndApplies) {
    CurrentProfile().freeTileSet = 0;
    TileSetDialog* dialog = Open(false);
    const Rect r = dialog->GetButton(5)->GetDrawnBounds();
    const int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    f.ui.sound.calls.clear();
    f.ui.manager.OnLButtonDblClk(1, x, y);
    EXPECT_EQ(CurrentProfile().freeTileSet, 5);
    EXPECT_EQ(std::count(f.ui.sound.calls.begin(), f.ui.sound.calls.end(), "PlaySound 105"), 1);
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), play);
}

}  // namespace

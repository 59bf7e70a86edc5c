#include "game/play/NoMovesDialog.h"

#include <gtest/gtest.h>

#include "framework/ui/RadioButton.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class NoMovesDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        h.display.AddImage(291, 2 * 24, 24);
        resources.AddString(123, "no moves");
    }

    NoMovesDialog* Open()
    {
        auto* dialog = new NoMovesDialog;
        h.manager.PushScreen(dialog, true, false, true);
        h.Frames(20);
        return dialog;
    }

    std::vector<RadioButton*> Choices(NoMovesDialog* dialog) const
    {
        std::vector<RadioButton*> found;
        for (Widget* w : dialog->GetWidgets())
            if (auto* r = dynamic_cast<RadioButton*>(w))
                found.push_back(r);
        return found;
    }

    void ClickWidget(Widget* widget)
    {
        int32_t x = 0, y = 0;
        widget->GetAbsolutePosition(x, y);
        Click(x + 5, y + 5);
    }
};

TEST_F(NoMovesDialogTest, OffersThreeChoicesWithUndoSelected)
{
    ProbeScreen* below = h.NewScreen("play");
    h.manager.PushScreen(below, false, false, false);
    NoMovesDialog* dialog = Open();
    int32_t x = 0, y = 0, w = 0, hgt = 0;
    dialog->GetOrigin(x, y);
    EXPECT_EQ(x, 218);
    EXPECT_EQ(y, 165);
    dialog->GetPanelSize(w, hgt);
    EXPECT_EQ(w, 362);
    EXPECT_EQ(hgt, 232);
    EXPECT_STREQ(dialog->GetPanel()->Title().CStr(), "no moves");

    const auto choices = Choices(dialog);
    ASSERT_EQ(choices.size(), 3u);
    const int32_t rowY[] = {60, 90, 120};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(choices[i]->GetValue(), i);
        EXPECT_EQ(choices[i]->IsSelected(), i == 0);
        int32_t cx = 0, cy = 0;
        choices[i]->GetPosition(cx, cy);
        EXPECT_EQ(cx, 50);
        EXPECT_EQ(cy, rowY[i]);
    }
    EXPECT_EQ(dialog->Selected(), NoMovesDialog::kUndo);

    ClickWidget(choices[2]);
    EXPECT_EQ(dialog->Selected(), NoMovesDialog::kNewDeal);
    EXPECT_TRUE(choices[2]->IsSelected());
    EXPECT_FALSE(choices[0]->IsSelected());
    ClickWidget(choices[1]);
    EXPECT_EQ(dialog->Selected(), NoMovesDialog::kShuffle);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);  // a choice alone does not close the box
}

TEST_F(NoMovesDialogTest, OkClosesTheBoxOnceEvenOverAPageThatIsNoPlayScreen)
{
    ProbeScreen* below = h.NewScreen("menu");
    h.manager.PushScreen(below, false, false, false);
    NoMovesDialog* dialog = Open();
    TextButton* ok = nullptr;
    for (Widget* w : dialog->GetWidgets())
        if (auto* b = dynamic_cast<TextButton*>(w))
            ok = b;
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->IsFixedSkin());
    int32_t bx = 0, by = 0;
    ok->GetPosition(bx, by);
    EXPECT_EQ(bx, 141);
    EXPECT_EQ(by, 160);
    EXPECT_FALSE(dialog->OnCommand(291));  // the choices' own command is not the box's
    ClickWidget(ok);
    EXPECT_TRUE(dialog->OnCommand(NoMovesDialog::kOkCommand));  // again while it fades out
    h.Frames(40);
    EXPECT_EQ(h.manager.GetTopScreen(), below);
    EXPECT_EQ(h.manager.GetScreens().size(), 1u);
}

}  // namespace

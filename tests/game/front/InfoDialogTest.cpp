#include "game/front/InfoDialog.h"

#include <gtest/gtest.h>

#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "tests/game/front/FrontHarness.h"

TEST(InfoDialog, ShowsItsLineAndClosesWithOk) {
    FrontHarness f;
    f.Text(106, "The layout could not be loaded.");
    f.Text(107, "Error");
    f.Text(124, "OK");
    f.Fonts({284, 286, 290, 307, 160});
    f.Picture(297, 320, 42);
    ProbeScreen* below = f.ui.NewScreen("grid");
    f.ui.manager.PushScreen(below, false, false, false);

    EXPECT_EQ(InfoDialog::Open(nullptr, 107, 106), nullptr);
    InfoDialog* dialog = InfoDialog::Open(&f.ui.manager, 107, 106);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), dialog);
    EXPECT_TRUE(below->IsActive() == false);
    ASSERT_EQ(dialog->GetPanel()->LineCount(), 1);
    EXPECT_EQ(dialog->GetPanel()->Line(0).text, "The layout could not be loaded.");
    EXPECT_EQ(dialog->GetPanel()->Line(0).mode, 0);
    EXPECT_EQ(dialog->GetPanel()->Line(0).y, 90);
    ASSERT_NE(dialog->GetOkButton(), nullptr);
    EXPECT_EQ(dialog->GetOkButton()->GetCaption(), "OK");
    int32_t x = 0, y = 0;
    dialog->GetOkButton()->GetAbsolutePosition(x, y);
    EXPECT_EQ(x, 206 + 152);
    EXPECT_EQ(y, 150 + 203);

    EXPECT_FALSE(dialog->OnCommand(2));
    dialog->SendCommand(InfoDialog::kOkCommand);
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), below);
    EXPECT_TRUE(below->IsActive());
}

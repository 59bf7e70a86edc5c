#include "game/front/LeaveNoticeDialog.h"

#include <gtest/gtest.h>

#include "framework/ui/CheckBox.h"
#include "game/front/MainMenuScreen.h"
#include "game/play/FramePanel.h"
#include "tests/game/front/PlayOverlayTest.h"

namespace {

class LeaveNoticeDialogTest : public PlayOverlayTest {
protected:
    void SetUp() override
    {
        PlayOverlayTest::SetUp();
        resources.AddString(29, "your progress is kept");
        resources.AddString(30, "do not show this again");
        h.display.AddImage(298, 2 * 30, 30);
        OpenGame();
        notice = Open(new LeaveNoticeDialog);
    }

    TextButton* Ok() const { return Buttons(notice).at(0); }

    LeaveNoticeDialog* notice = nullptr;
};

TEST_F(LeaveNoticeDialogTest, ShowsItsAdviceTheTickBoxAndOk)
{
    int32_t w = 0, hgt = 0;
    notice->GetPanelSize(w, hgt);
    EXPECT_EQ(w, 433);
    EXPECT_EQ(hgt, 211);
    ASSERT_EQ(notice->GetPanel()->LineCount(), 1);
    EXPECT_EQ(notice->GetPanel()->Line(0).text, "your progress is kept");
    EXPECT_EQ(notice->GetPanel()->Line(0).y, 90);

    CheckBox* box = notice->GetDontShowBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_EQ(box->GetCaption(), "do not show this again");
    int32_t x = 0, y = 0;
    box->GetPosition(x, y);
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, 130);
    ASSERT_EQ(Buttons(notice).size(), 1u);
    EXPECT_TRUE(Ok()->IsFixedSkin());
    EXPECT_EQ(Ok()->GetCommandId(), LeaveNoticeDialog::kOkCommand);
    Ok()->GetPosition(x, y);
    EXPECT_EQ(x, 305);
    EXPECT_EQ(y, 140);
    EXPECT_FALSE(notice->OnCommand(298));  // the tick box's own command is not the notice's
}

TEST_F(LeaveNoticeDialogTest, OkLeavesForTheMainMenuAndKeepsTheNoticeUnlessTicked)
{
    ClickWidget(Ok());
    EXPECT_TRUE(CurrentProfile().showLeaveNotice);
    ExpectLeavingFor<MainMenuScreen>();

    notice = Open(new LeaveNoticeDialog);
    ClickWidget(notice->GetDontShowBox());
    EXPECT_TRUE(notice->GetDontShowBox()->IsChecked());
    EXPECT_EQ(h.manager.GetTopScreen(), notice);  // ticking alone neither leaves nor stores
    EXPECT_TRUE(CurrentProfile().showLeaveNotice);
    ClickWidget(Ok());
    EXPECT_FALSE(CurrentProfile().showLeaveNotice);
    Settle();

    notice = Open(new LeaveNoticeDialog);
    ClickWidget(notice->GetDontShowBox());
    ClickWidget(notice->GetDontShowBox());
    ClickWidget(Ok());
    EXPECT_TRUE(CurrentProfile().showLeaveNotice);
}

}  // namespace

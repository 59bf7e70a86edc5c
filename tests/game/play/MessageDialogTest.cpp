#include "game/play/MessageDialog.h"

#include <gtest/gtest.h>

#include "game/play/DialogListener.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class Listener : public DialogListener {
public:
    bool answer = true;
    std::vector<std::string> calls;
    bool OnAccept(int32_t id) override
    {
        calls.push_back("accept " + std::to_string(id));
        return answer;
    }
    bool OnDecline(int32_t id) override
    {
        calls.push_back("decline " + std::to_string(id));
        return answer;
    }
};

class MessageDialogTest : public DialogTest {
protected:
    MessageDialog* Open(int32_t type, bool fixed, int32_t acceptWidth = 120, int32_t declineWidth = 120)
    {
        auto* dialog = new MessageDialog(&listener, type, 30, 140, 141, fixed, acceptWidth, declineWidth);
        h.manager.PushScreen(dialog, true, true, false);
        dialog->SetTitle(24);
        dialog->AddLine(23, FramePanel::kWrapContent, 0, 80);
        h.Frames(2);
        return dialog;
    }

    std::vector<TextButton*> Buttons(MessageDialog* dialog) const
    {
        std::vector<TextButton*> buttons;
        for (Widget* w : dialog->GetWidgets())
            if (auto* b = dynamic_cast<TextButton*>(w))
                buttons.push_back(b);
        return buttons;
    }

    void ClickButton(MessageDialog* dialog, int index)
    {
        int32_t x = 0, y = 0;
        Buttons(dialog)[index]->GetAbsolutePosition(x, y);
        Click(x + 20, y + 20);
    }

    Listener listener;
};

TEST_F(MessageDialogTest, BoxSizeAndButtonRowFollowTheType)
{
    struct Case {
        int32_t type, height, row;
    };
    for (const Case& c : {Case{0, 190, 116}, Case{1, 211, 142}, Case{2, 274, 200}}) {
        SCOPED_TRACE(c.type);
        MessageDialog* dialog = Open(c.type, true);
        int32_t w = 0, hgt = 0;
        dialog->GetPanelSize(w, hgt);
        EXPECT_EQ(w, 385);
        EXPECT_EQ(hgt, c.height);
        const auto buttons = Buttons(dialog);
        ASSERT_EQ(buttons.size(), 2u);
        int32_t x = 0, y = 0;
        buttons[0]->GetPosition(x, y);
        EXPECT_EQ(x, 105);
        EXPECT_EQ(y, c.row);
        buttons[1]->GetPosition(x, y);
        EXPECT_EQ(x, 198);
        EXPECT_EQ(buttons[0]->GetCommandId(), 1);
        EXPECT_EQ(buttons[1]->GetCommandId(), 0);
        EXPECT_TRUE(buttons[0]->IsFixedSkin());
        h.manager.PopScreensNow(1);
    }
}

TEST_F(MessageDialogTest, StretchableButtonsMeetAtTheMiddle)
{
    MessageDialog* dialog = Open(2, false, 150, 120);
    const auto buttons = Buttons(dialog);
    ASSERT_EQ(buttons.size(), 2u);
    int32_t x = 0, y = 0;
    buttons[0]->GetPosition(x, y);
    EXPECT_EQ(x, 190 - 150);
    EXPECT_FALSE(buttons[0]->IsFixedSkin());
    buttons[1]->GetPosition(x, y);
    EXPECT_EQ(x, 198);
}

TEST_F(MessageDialogTest, AnswersReachTheListenerAndCloseTheBox)
{
    MessageDialog* dialog = Open(0, true);
    int32_t x = 0, y = 0;
    Buttons(dialog)[0]->GetAbsolutePosition(x, y);
    Click(x + 20, y + 20);
    // A further answer while the box fades out asks nothing more.
    EXPECT_TRUE(dialog->OnCommand(0));
    EXPECT_EQ(listener.calls, std::vector<std::string>{"accept 30"});
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), nullptr);

    dialog = Open(0, true);
    listener.calls.clear();
    ClickButton(dialog, 1);
    EXPECT_EQ(listener.calls, std::vector<std::string>{"decline 30"});
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), nullptr);
}

TEST_F(MessageDialogTest, AListenerThatSaysNoKeepsTheBox)
{
    listener.answer = false;
    MessageDialog* dialog = Open(1, true);
    ClickButton(dialog, 0);
    ClickButton(dialog, 1);
    h.Frames(30);
    EXPECT_EQ(h.manager.GetTopScreen(), dialog);
    EXPECT_EQ(listener.calls, (std::vector<std::string>{"accept 30", "decline 30"}));
}

TEST_F(MessageDialogTest, OtherCommandsAreNotHandled)
{
    MessageDialog* dialog = Open(0, true);
    EXPECT_FALSE(dialog->OnCommand(2));
    EXPECT_FALSE(dialog->OnCommand(-1));
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(MessageDialogTest, TitleAndTextAreDrawnAfterPushing)
{
    resources.AddString(24, "leave");
    resources.AddString(23, "sure");
    Open(0, true);
    EXPECT_EQ(Drawn(286).size(), 5u);  // title font
    EXPECT_EQ(Drawn(290).size(), 4u);  // line font
}

TEST_F(MessageDialogTest, ButtonWidthsAndSkinStates)
{
    TextButton narrow(5, 80);
    EXPECT_EQ(narrow.MiddleSegments(), 1);
    EXPECT_EQ(narrow.Width(), 102);
    TextButton wide(5, 120);
    EXPECT_EQ(wide.MiddleSegments(), 3);
    EXPECT_EQ(wide.Width(), 118);
    TextButton exact(5, 200);
    EXPECT_EQ(exact.MiddleSegments(), 13);
    EXPECT_EQ(exact.Width(), 198);

    MessageDialog* dialog = Open(2, false, 120, 120);
    const auto pieces = h.display.ImagesIn(h.display.LastFrame(), 287);
    // Two buttons, each a left cap, three middles and a right cap, in the normal state.
    ASSERT_EQ(pieces.size(), 10u);
    EXPECT_EQ(pieces[0].source.left, 0);
    EXPECT_EQ(pieces[0].source.right, 46);
    EXPECT_EQ(pieces[3].rect.left - pieces[0].rect.left, 46 + 16);
    EXPECT_EQ(pieces[4].rect.left - pieces[0].rect.left, 46 + 24);
    EXPECT_EQ(pieces[4].source.left, 54);
    EXPECT_EQ(pieces[4].rect.right - pieces[0].rect.left, 118);

    // Pressed and held over the button: the third state of the skin.
    int32_t x = 0, y = 0;
    Buttons(dialog)[0]->GetAbsolutePosition(x, y);
    h.window.cursorX = x + 10;
    h.window.cursorY = y + 10;
    h.manager.OnMouseMove(0, x + 10, y + 10);
    h.manager.OnLButtonDown(kKeyLButton, x + 10, y + 10);
    h.Frames(1);
    const auto pressed = h.display.ImagesIn(h.display.LastFrame(), 287);
    ASSERT_FALSE(pressed.empty());
    EXPECT_EQ(pressed[0].source.left, 204);
}

}  // namespace

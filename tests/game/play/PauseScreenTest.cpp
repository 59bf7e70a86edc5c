#include <gtest/gtest.h>

#include <algorithm>

#include "game/play/PauseOverlay.h"
#include "game/play/PauseScreen.h"
#include "tests/framework/ui/UiHarness.h"

namespace {

int Calls(const UiHarness& h, const std::string& line)
{
    return static_cast<int>(std::count(h.sound.calls.begin(), h.sound.calls.end(), line));
}

TEST(PauseScreenTest, AReleaseAnywhereResumesTheGameAndTheMusic)
{
    UiHarness h;
    ProbeScreen* play = h.NewScreen("play");
    h.manager.PushScreen(play, false, false, false);
    auto* pause = new PauseScreen;
    h.manager.PushScreen(pause, true, true, false);
    h.Frames(2);
    EXPECT_EQ(Calls(h, "PauseMusic 1"), 1);
    EXPECT_FALSE(play->IsActive());
    ASSERT_NE(pause->Overlay(), nullptr);
    EXPECT_EQ(pause->Overlay()->GetDrawnBounds(), (Rect{0, 0, 800, 600}));

    h.manager.OnLButtonDown(1, 790, 590);  // the press alone does nothing
    h.Frames(1);
    EXPECT_EQ(Calls(h, "PauseMusic 0"), 0);
    EXPECT_EQ(h.manager.GetTopScreen(), pause);

    h.manager.OnLButtonUp(0, 790, 590);
    h.manager.OnLButtonUp(0, 10, 10);  // a second release during the fade pops nothing more
    EXPECT_EQ(Calls(h, "PauseMusic 0"), 1);
    EXPECT_TRUE(play->IsActive());
    h.Frames(40);
    EXPECT_EQ(h.manager.GetTopScreen(), play);
    EXPECT_EQ(h.manager.GetScreens().size(), 1u);
}

}  // namespace

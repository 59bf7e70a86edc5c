#include <gtest/gtest.h>

#include "UiHarness.h"

namespace {

// A started manager whose display follows the lent settings as the real device does.
struct ModeHarness {
    explicit ModeHarness(bool capable, bool fullScreen = false) {
        h.display.capable3D = capable;
        h.display.settings = &settings;
        settings.hardwareAcceleration = false;
        h.manager.UseDisplaySettings(settings);
        h.manager.Start(&h.window, fullScreen, 25);
        h.display.setModeCalls = 0;
        h.display.modeWide.clear();
        h.window.systemCursors.clear();
    }
    DisplaySettings settings;
    UiHarness h{false};
};

TEST(DisplayModeAcceleration, SwitchesThePathAndTheCursorWithIt) {
    ModeHarness m(true);
    ASSERT_FALSE(m.h.display.IsDirect3DInUse());

    EXPECT_TRUE(m.h.manager.SetHardwareAcceleration(true));
    EXPECT_TRUE(m.settings.hardwareAcceleration);
    EXPECT_EQ(m.h.display.setModeCalls, 1);
    EXPECT_FALSE(m.h.display.IsFullScreen()) << "the current mode is set again";
    EXPECT_TRUE(m.h.display.IsDirect3DInUse());
    ASSERT_FALSE(m.h.window.systemCursors.empty());
    EXPECT_EQ(m.h.window.systemCursors.back(), ManagerWindow::kNone)
        << "the accelerated path draws its own cursor";
    EXPECT_TRUE(m.h.manager.IsRunning()) << "every pause is undone";
    EXPECT_TRUE(m.h.manager.IsRedrawWanted());

    EXPECT_TRUE(m.h.manager.SetHardwareAcceleration(true));
    EXPECT_EQ(m.h.display.setModeCalls, 1) << "no switch when nothing changes";

    EXPECT_TRUE(m.h.manager.SetHardwareAcceleration(false));
    EXPECT_FALSE(m.settings.hardwareAcceleration);
    EXPECT_FALSE(m.h.display.IsDirect3DInUse());
    EXPECT_EQ(m.h.window.systemCursors.back(), ScreenManager::kCursorNormal)
        << "the software path shows the system cursor again";
}

TEST(DisplayModeAcceleration, RefusedWithoutACapableDevice) {
    ModeHarness m(false);
    EXPECT_FALSE(m.h.manager.SetHardwareAcceleration(true));
    EXPECT_FALSE(m.settings.hardwareAcceleration);
    EXPECT_EQ(m.h.display.setModeCalls, 0);
    EXPECT_FALSE(m.h.window.quitRequested);
}

TEST(DisplayModeAcceleration, AFailedSwitchTurnsItOffReportsAndQuits) {
    ModeHarness windowed(true);
    windowed.h.display.setModeResults = {-7};
    EXPECT_FALSE(windowed.h.manager.SetHardwareAcceleration(true));
    EXPECT_FALSE(windowed.settings.hardwareAcceleration);
    EXPECT_EQ(windowed.h.display.setModeCalls, 1) << "windowed modes are not retried";
    EXPECT_EQ(windowed.h.display.reportedErrors, std::vector<int32_t>{-7});
    EXPECT_TRUE(windowed.h.window.quitRequested);
    EXPECT_TRUE(windowed.h.manager.IsRunning()) << "the quit still runs its frames";

    ModeHarness full(true, true);
    full.h.display.setModeResults = {-7, 0};
    EXPECT_TRUE(full.h.manager.SetHardwareAcceleration(true));
    EXPECT_EQ(full.h.display.setModeCalls, 2) << "full screen tries the desktop depth once more";
    EXPECT_TRUE(full.h.display.IsFullScreen());
    EXPECT_TRUE(full.h.display.reportedErrors.empty());
}

TEST(DisplayModeWideScreen, StoresTheSwitchAndSetsTheModeOnceWithIt) {
    ModeHarness m(false, true);
    EXPECT_TRUE(m.h.manager.SetWideScreen(false));
    EXPECT_EQ(m.h.display.setModeCalls, 0);

    EXPECT_TRUE(m.h.manager.SetWideScreen(true));
    EXPECT_TRUE(m.settings.wideScreen);
    EXPECT_EQ(m.h.display.modeWide, std::vector<bool>{true});
    EXPECT_TRUE(m.h.display.IsFullScreen());
    EXPECT_TRUE(m.h.manager.IsRunning());
}

TEST(DisplayModeWideScreen, AFailedSwitchKeepsTheNewValueReportsAndQuits) {
    ModeHarness m(false, true);
    m.h.display.setModeResults = {-3, 0};
    EXPECT_FALSE(m.h.manager.SetWideScreen(true));
    EXPECT_TRUE(m.settings.wideScreen);
    EXPECT_EQ(m.h.display.setModeCalls, 1) << "no second try off the accelerated path";
    EXPECT_EQ(m.h.display.reportedErrors, std::vector<int32_t>{-3});
    EXPECT_TRUE(m.h.window.quitRequested);
    EXPECT_TRUE(m.h.manager.IsRunning());
}

TEST(DisplayModeFullScreen, FollowsTheNewPathAndUndoesItsPauseOnFailure) {
    ModeHarness m(true);
    m.settings.hardwareAcceleration = true;
    EXPECT_TRUE(m.h.manager.SetFullscreen(true, true));
    EXPECT_TRUE(m.h.display.IsFullScreen());
    EXPECT_EQ(m.h.display.modeWide.size(), 1u);
    EXPECT_TRUE(m.h.display.IsDirect3DInUse()) << "the switch set just before takes effect";
    EXPECT_EQ(m.h.window.systemCursors.back(), ManagerWindow::kNone);

    m.h.display.setModeResults = {-9};
    EXPECT_FALSE(m.h.manager.SetFullscreen(false, true));
    EXPECT_TRUE(m.h.window.quitRequested);
    EXPECT_TRUE(m.h.manager.IsRunning());
}

TEST(DisplayModeSettings, StartRetriesFullScreenByTheLentSwitch) {
    DisplaySettings off;
    off.hardwareAcceleration = false;
    UiHarness h(false);
    h.manager.UseDisplaySettings(off);
    EXPECT_EQ(&h.manager.GetDisplaySettings(), &off);
    h.display.setModeResults = {-5, 0};
    EXPECT_FALSE(h.manager.Start(&h.window, true, 25));
    EXPECT_EQ(h.display.setModeCalls, 1);

    UiHarness own(false);
    EXPECT_TRUE(own.manager.GetDisplaySettings().hardwareAcceleration);
    EXPECT_FALSE(own.manager.IsWideDisplay());
    own.manager.SetWideDisplay(true);
    EXPECT_TRUE(own.manager.IsWideDisplay());
}

}  // namespace

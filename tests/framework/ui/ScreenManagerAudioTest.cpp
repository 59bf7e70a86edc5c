// The manager's volume settings: what the sound service hears with each switch on and off, and
// the music slide that is skipped while music is off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeClock.h"
#include "RecordingDisplay.h"
#include "RecordingSound.h"
#include "ScriptedWindow.h"
#include "framework/ui/ScreenManager.h"

namespace {

struct AudioHarness {
    RecordingDisplay display;
    FakeClock clock;
    ScriptedWindow window;
    RecordingSound sound;
    ScreenManager manager{display, clock, &sound};

    AudioHarness() { manager.Start(&window, false, 25); }
    std::vector<std::string> CallsAfter(size_t from) const {
        return {sound.calls.begin() + static_cast<std::ptrdiff_t>(from), sound.calls.end()};
    }
};

using Calls = std::vector<std::string>;

TEST(ScreenManagerAudio, SwitchedOffSoundsAndMusicHearZeroButKeepTheirVolumes) {
    AudioHarness h;
    size_t from = h.sound.calls.size();
    h.manager.SetAudioSettings({false, 70, true, 40});
    EXPECT_EQ(h.CallsAfter(from), (Calls{"SetMusicVolume 40", "SetSoundVolume 0"}));

    from = h.sound.calls.size();
    h.manager.SetSoundVolume(35);
    h.manager.SetMusicVolume(120);
    EXPECT_EQ(h.CallsAfter(from), (Calls{"SetSoundVolume 0", "SetMusicVolume 100"}));
    EXPECT_EQ(h.manager.GetAudioSettings().soundVolume, 35);
    EXPECT_EQ(h.manager.GetAudioSettings().musicVolume, 100);
}

TEST(ScreenManagerAudio, MusicSlidesOnlyWhileMusicIsOn) {
    AudioHarness h;
    h.manager.SetAudioSettings({true, 100, true, 50});
    size_t from = h.sound.calls.size();
    h.manager.SlideMusicVolume(0, 1100);
    EXPECT_EQ(h.CallsAfter(from), (Calls{"FadeMusicTo 0 1100"}));

    h.manager.SetAudioSettings({true, 100, false, 50});
    from = h.sound.calls.size();
    h.manager.SlideMusicVolume(0, 1100);
    EXPECT_TRUE(h.CallsAfter(from).empty());
}

TEST(ScreenManagerAudio, NoSoundServiceIsHarmless) {
    RecordingDisplay display;
    FakeClock clock;
    ScreenManager manager{display, clock, nullptr};
    manager.SetAudioSettings({true, 60, true, 30});
    manager.SlideMusicVolume(0, 1100);
    EXPECT_EQ(manager.GetAudioSettings().musicVolume, 30);
}

}  // namespace

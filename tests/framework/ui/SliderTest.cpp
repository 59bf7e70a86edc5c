// Sliders: the thumb's range from the two images, dragging along x only, percentages reported
// on moves and at the end of the drag, quiet placement, and no command from the thumb.
#include <gtest/gtest.h>

#include <vector>

#include "ControlScene.h"
#include "framework/ui/Slider.h"
#include "framework/ui/SliderThumb.h"

namespace {

constexpr int32_t kTrack = 299;  // 108 x 20
constexpr int32_t kThumb = 300;  // 2 frames of 16 x 30, 32 wide in all

class RecordingSlider : public Slider {
public:
    using Slider::Slider;
    std::vector<int32_t> reported;
    void OnValueChanged(int32_t value) override { reported.push_back(value); }
};

// A slider at (200, 100) with left x −5 and right margin −5: the thumb runs from −5 to
// −5 + 108 − 32 / 4 = 95 (the thumb image's whole width counts, both frames).
struct SliderScene : ControlScene {
    RecordingSlider* slider;
    SliderScene() : slider(new RecordingSlider(kTrack, kThumb, -5, -5)) {
        h.display.AddImage(kTrack, 108, 20);
        h.display.AddImage(kThumb, 32, 30);
        RecordingSlider* s = slider;
        Show([s](ProbeScreen& screen) { screen.AddWidget(s, 200, 100); });
    }
    SliderThumb* Thumb() { return slider->GetThumb(); }
    int32_t ThumbX() {
        int32_t x = 0, y = 0;
        Thumb()->GetPosition(x, y);
        return x;
    }
    int32_t ThumbY() {
        int32_t x = 0, y = 0;
        Thumb()->GetPosition(x, y);
        return y;
    }
    // Presses the thumb at its left edge + 2 and drags the pointer by dx.
    void Drag(int32_t dx, bool release) {
        int32_t ax = 0, ay = 0;
        Thumb()->GetAbsolutePosition(ax, ay);
        Press(ax + 2, ay + 2);
        Move(ax + 2 + dx, ay + 2 + 40);
        if (release) Release(ax + 2 + dx, ay + 2 + 40);
    }
};

}  // namespace

TEST(SliderLayout, ThumbRangeAndPlacementComeFromTheImages) {
    SliderScene c;
    ASSERT_NE(c.Thumb(), nullptr);
    EXPECT_EQ(c.Thumb()->GetMinimumX(), -5);
    EXPECT_EQ(c.Thumb()->GetMaximumX(), 95);
    EXPECT_EQ(c.ThumbX(), -5);
    EXPECT_EQ(c.ThumbY(), (20 - 30) / 2);
    auto track = c.Drawn(kTrack);
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].x, 200);
    EXPECT_EQ(track[0].hasSource, false);
    auto thumb = c.Drawn(kThumb);
    ASSERT_EQ(thumb.size(), 1u);
    EXPECT_EQ(thumb[0].x, 195);
    EXPECT_EQ(thumb[0].y, 95);
}

TEST(SliderLayout, QuietPlacementClampsAndReportsNothing) {
    SliderScene c;
    c.Thumb()->SetPercent(33);
    EXPECT_EQ(c.ThumbX(), 28);
    c.slider->SetPosition(150);
    EXPECT_EQ(c.ThumbX(), 95);
    c.slider->SetPosition(-20);
    EXPECT_EQ(c.ThumbX(), -5);
    EXPECT_EQ(c.ThumbY(), -5);
    EXPECT_TRUE(c.slider->reported.empty());
    EXPECT_EQ(c.slider->GetValue(), 0);
}

TEST(SliderDrag, MovesAlongXOnlyAndReportsEachPercentage) {
    SliderScene c;
    c.Drag(50, false);
    EXPECT_EQ(c.ThumbX(), 45);
    EXPECT_EQ(c.ThumbY(), -5);  // the pointer went down too; the thumb did not
    ASSERT_FALSE(c.slider->reported.empty());
    EXPECT_EQ(c.slider->reported.back(), 50);
    EXPECT_EQ(c.Sounds(Button::kClickSoundId), 1);
    int32_t ax = 0, ay = 0;
    c.slider->GetAbsolutePosition(ax, ay);
    c.Move(ax - 5 + 2 + 51, ay + 60);
    EXPECT_EQ(c.ThumbX(), 46);
    EXPECT_EQ(c.slider->reported.back(), 51);
    c.Release(ax - 5 + 2 + 51, ay + 60);
    EXPECT_EQ(c.slider->GetValue(), 51);
    EXPECT_EQ(c.h.manager.GetDragWidget(), nullptr);
}

TEST(SliderDrag, StopsAtTheEndsOfTheTrack) {
    SliderScene c;
    c.Drag(500, true);
    EXPECT_EQ(c.ThumbX(), 95);
    EXPECT_EQ(c.slider->GetValue(), 100);
    c.Drag(-500, true);
    EXPECT_EQ(c.ThumbX(), -5);
    EXPECT_EQ(c.slider->GetValue(), 0);
}

TEST(SliderDrag, ReleasingOverTheThumbSendsNoCommand) {
    SliderScene c;
    int32_t ax = 0, ay = 0;
    c.Thumb()->GetAbsolutePosition(ax, ay);
    c.Click(ax + 2, ay + 2);
    c.Drag(10, true);
    EXPECT_EQ(c.Commands(kThumb), 0);
    EXPECT_EQ(c.h.log.size(), 0u);
}

TEST(SliderDrag, EmptyRangeReadsAsZero) {
    ControlScene c;
    c.h.display.AddImage(kTrack, 8, 20);  // max x = 0 + 8 - 32 / 4 = 0 = min x
    c.h.display.AddImage(kThumb, 32, 30);
    auto* slider = new RecordingSlider(kTrack, kThumb, 0, 0);
    c.Show([slider](ProbeScreen& s) { s.AddWidget(slider, 0, 0); });
    slider->SetPosition(70);
    int32_t x = 0, y = 0;
    slider->GetThumb()->GetPosition(x, y);
    EXPECT_EQ(x, 0);
    c.Press(2, 2);
    c.Move(30, 2);
    c.Release(30, 2);
    EXPECT_EQ(slider->GetValue(), 0);
}

// Radio buttons with their group, and check boxes with their 2-, 4- and 6-frame strips.
#include <gtest/gtest.h>

#include <string_view>

#include "ControlScene.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/RadioGroup.h"

namespace {

constexpr int32_t kRadio = 50;  // 2 frames of 20 x 20
constexpr int32_t kCheck2 = 52;
constexpr int32_t kCheck4 = 54;
constexpr int32_t kCheck6 = 56;
constexpr int32_t kGlyphs = 58;
constexpr int32_t kMetrics = 57;

void AddStrips(RecordingDisplay& display) {
    display.AddImage(kRadio, 40, 20);
    display.AddImage(kCheck2, 40, 20);
    display.AddImage(kCheck4, 80, 20);
    display.AddImage(kCheck6, 120, 20);
}

// Two radio buttons of one group with values 0 and 1, at (0, 0) and (100, 0).
struct RadioScene : ControlScene {
    RadioGroup group;
    RadioButton* first = nullptr;
    RadioButton* second = nullptr;
    RadioScene() {
        AddStrips(h.display);
        first = new RadioButton(kRadio, &group, 0);
        second = new RadioButton(kRadio, &group, 1);
        RadioButton* a = first;
        RadioButton* b = second;
        Show([a, b](ProbeScreen& s) {
            s.AddWidget(a, 0, 0);
            s.AddWidget(b, 100, 0);
        });
    }
    int32_t FrameOf(RadioButton* button) {
        auto draws = Drawn(kRadio);
        for (const auto& d : draws) {
            int32_t x = 0, y = 0;
            button->GetAbsolutePosition(x, y);
            if (d.x == x && d.y == y) return d.source.left / 20;
        }
        return -1;
    }
};

// One check box at (10, 10) whose frames are 20 wide.
struct CheckScene : ControlScene {
    CheckBox* box;
    int32_t imageId;
    CheckScene(int32_t id, int32_t frames) : box(new CheckBox(id, frames)), imageId(id) {
        AddStrips(h.display);
        CheckBox* b = box;
        Show([b](ProbeScreen& s) { s.AddWidget(b, 10, 10); });
    }
    int32_t Shown() { return FrameShown(imageId, 20); }
};

}  // namespace

TEST(RadioGroupSelection, ClickingSelectsItsValueAndDeselectsTheOthers) {
    RadioScene c;
    EXPECT_EQ(c.group.GetSelected(), -1);
    ASSERT_EQ(c.group.GetMembers().size(), 2u);
    EXPECT_EQ(c.FrameOf(c.first), 0);
    EXPECT_EQ(c.FrameOf(c.second), 0);

    c.Click(105, 5);
    EXPECT_EQ(c.group.GetSelected(), 1);
    EXPECT_TRUE(c.second->IsSelected());
    EXPECT_FALSE(c.first->IsSelected());
    EXPECT_EQ(c.Commands(kRadio), 1);
    EXPECT_EQ(c.FrameOf(c.second), 1);  // hovered and selected
    c.Move(300, 300);
    EXPECT_EQ(c.FrameOf(c.second), 1);
    EXPECT_EQ(c.FrameOf(c.first), 0);

    c.Click(105, 5);  // again: nothing changes, the command still goes out
    EXPECT_EQ(c.group.GetSelected(), 1);
    EXPECT_TRUE(c.second->IsSelected());
    EXPECT_EQ(c.Commands(kRadio), 2);

    c.Click(5, 5);
    EXPECT_EQ(c.group.GetSelected(), 0);
    EXPECT_TRUE(c.first->IsSelected());
    EXPECT_FALSE(c.second->IsSelected());
}

TEST(RadioGroupSelection, SelectingInCodeSetsFlagsWithoutCommands) {
    RadioScene c;
    c.group.Select(0);
    EXPECT_TRUE(c.first->IsSelected());
    EXPECT_FALSE(c.second->IsSelected());
    // A flag set by hand is not the group's choice; selecting the same value leaves it alone.
    c.second->SetSelected(true);
    c.group.Select(0);
    EXPECT_TRUE(c.second->IsSelected());
    c.group.Select(5);  // no member has it: all deselected
    EXPECT_FALSE(c.first->IsSelected());
    EXPECT_FALSE(c.second->IsSelected());
    EXPECT_EQ(c.Commands(kRadio), 0);
}

TEST(RadioGroupSelection, PressedAndDisabledFallBackToTheSelectionFrame) {
    RadioScene c;
    c.group.Select(1);
    c.Press(105, 5);
    EXPECT_EQ(c.FrameOf(c.second), 1);
    c.Release(105, 5);
    c.second->SetEnabled(false);
    EXPECT_EQ(c.FrameOf(c.second), 1);
    c.first->SetEnabled(false);
    EXPECT_EQ(c.FrameOf(c.first), 0);
}

TEST(RadioGroupSelection, ButtonWithoutGroupStillClicks) {
    ControlScene c;
    AddStrips(c.h.display);
    auto* lone = new RadioButton(kRadio, nullptr, 3);
    c.Show([lone](ProbeScreen& s) { s.AddWidget(lone, 0, 0); });
    c.Click(5, 5);
    EXPECT_EQ(c.Commands(kRadio), 1);
    EXPECT_FALSE(lone->IsSelected());
}

TEST(RadioCaption, DrawnFromTheLeftOfItsBox) {
    MemoryResources resources;
    resources.AddString(910, "ba");
    resources.Add(kTextType, kMetrics, std::string_view("H:14,18,0,10,1\nS:0x61,7,8\n"));
    BitmapFont font;
    ASSERT_TRUE(font.Load(kGlyphs, kMetrics, &resources));
    SetAssetModule(&resources);

    ControlScene c;
    AddStrips(c.h.display);
    c.h.display.AddImage(kGlyphs, 15, 14);
    c.h.display.fonts[kGlyphs] = &font;
    RadioGroup group;
    auto* radio = new RadioButton(kRadio, &group, 0);
    auto* box = new CheckBox(kCheck2, 2);
    c.Show([&](ProbeScreen& s) {
        s.AddWidget(radio, 0, 0);
        radio->SetCaption(910, kGlyphs, kMetrics, 25, 15, 128);
        s.AddWidget(box, 0, 100);
        box->SetCaption(910, kGlyphs, kMetrics, 30, 15, 128);
    });
    auto glyphs = c.Drawn(kGlyphs);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[0].x, 25);
    EXPECT_EQ(glyphs[0].y, 15 - 18);
    EXPECT_EQ(glyphs[0].source.left, 7);  // 'b'
    EXPECT_EQ(glyphs[1].x, 25 + 8);
    EXPECT_EQ(glyphs[0].alpha, 255);
    EXPECT_EQ(glyphs[2].x, 30);
    EXPECT_EQ(glyphs[2].y, 100 + 15 - 18);
    SetAssetModule(nullptr);
}

TEST(CheckBoxFrames, SixFrameStripHasHoverAndDisabledFramesPerState) {
    CheckScene c(kCheck6, 6);
    EXPECT_EQ(c.Shown(), 0);
    c.Move(15, 15);
    EXPECT_EQ(c.Shown(), 1);
    c.Press(15, 15);
    EXPECT_EQ(c.Shown(), 1);
    c.Release(15, 15);
    EXPECT_TRUE(c.box->IsChecked());
    EXPECT_EQ(c.Shown(), 4);  // checked and hovered
    c.Move(300, 300);
    EXPECT_EQ(c.Shown(), 3);
    c.box->SetEnabled(false);
    EXPECT_EQ(c.Shown(), 5);  // checked and disabled
    c.box->SetChecked(false);
    EXPECT_EQ(c.Shown(), 2);
    c.box->SetHasDisabledFrame(false);
    EXPECT_EQ(c.Shown(), 0);
}

TEST(CheckBoxFrames, FourFrameStripHasHoverFramesOnly) {
    CheckScene c(kCheck4, 4);
    c.box->SetChecked(true);
    EXPECT_EQ(c.Shown(), 2);
    c.Move(15, 15);
    EXPECT_EQ(c.Shown(), 3);
    c.box->SetChecked(false);
    EXPECT_EQ(c.Shown(), 1);
    c.box->SetEnabled(false);
    EXPECT_EQ(c.Shown(), 0);
    c.box->SetChecked(true);
    EXPECT_EQ(c.Shown(), 2);
}

TEST(CheckBoxFrames, TwoFrameStripShowsOnlyTheCheckedState) {
    CheckScene c(kCheck2, 2);
    c.Move(15, 15);
    EXPECT_EQ(c.Shown(), 0);
    c.box->SetChecked(true);
    EXPECT_EQ(c.Shown(), 1);
    c.Press(15, 15);
    EXPECT_EQ(c.Shown(), 1);
    c.Release(15, 15);
    EXPECT_FALSE(c.box->IsChecked());
    c.box->SetEnabled(false);
    EXPECT_EQ(c.Shown(), 0);
}

TEST(CheckBoxFrames, OddStripsNeverReachPastTheirLastFrame) {
    CheckScene c(kCheck6, 3);  // 3 frames of 40: frames past index 2 do not exist
    c.box->SetChecked(true);
    c.Move(15, 15);
    auto draws = c.Drawn(kCheck6);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_LE(draws[0].source.right, 120);
}

TEST(CheckBoxClicks, EachClickTogglesAndSendsTheCommand) {
    CheckScene c(kCheck4, 4);
    c.Click(15, 15);
    EXPECT_TRUE(c.box->IsChecked());
    c.Click(15, 15);
    EXPECT_FALSE(c.box->IsChecked());
    EXPECT_EQ(c.Commands(kCheck4), 2);
    // A press released elsewhere changes nothing.
    c.Press(15, 15);
    c.Release(300, 300);
    EXPECT_FALSE(c.box->IsChecked());
    EXPECT_EQ(c.Commands(kCheck4), 2);
    c.box->Toggle();
    EXPECT_TRUE(c.box->IsChecked());
    EXPECT_EQ(c.Commands(kCheck4), 3);
}

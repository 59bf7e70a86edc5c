// The edit box driven through the screen manager: keys, characters, the clipboard, the mouse,
// undo, scrolling and what it draws.
#include "framework/ui/EditBox.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "UiHarness.h"
#include "framework/core/MemoryResources.h"
#include "framework/gfx/BitmapFont.h"

namespace {

constexpr int32_t kGlyphs = 290;
constexpr int32_t kMetricsId = 289;
// Row 0: "," to "9", 8 wide; row 1: "a" to "z", 10 wide except "i" (4) and "m" (16).
constexpr char kMetrics[] =
    "H:14,16,0,6,2\n"
    "S:0x2c,8,8,8,8,8,8,8,8,8,8,8,8,8,8\n"
    "S:0x61,10,10,10,10,10,10,10,10,4,10,10,10,16,10,10,10,10,10,10,10,10,10,10,10,10,10\n";

constexpr uint32_t kVkBack = 0x08;
constexpr uint32_t kVkEnd = 0x23;
constexpr uint32_t kVkHome = 0x24;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkInsert = 0x2D;
constexpr uint32_t kVkDelete = 0x2E;

constexpr int32_t kBoxX = 100;
constexpr int32_t kBoxY = 50;

// A screen that remembers which edit box sent it Enter.
class EditScreen : public ProbeScreen {
public:
    using ProbeScreen::ProbeScreen;
    Widget* entered = nullptr;
    void OnEditEnter(Widget* editBox) override { entered = editBox; }
};

// A box that counts its change notices.
class CountingBox : public EditBox {
public:
    using EditBox::EditBox;
    int notices = 0;
    std::string last;
    void OnTextChanged(const String& text) override {
        ++notices;
        last = text.CStr();
    }
};

class EditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources.Add(kTextType, kMetricsId, std::string_view(kMetrics));
        ASSERT_TRUE(font.Load(kGlyphs, kMetricsId, &resources));
        h.display.AddImage(kGlyphs, 300, 28);
        h.display.fonts[kGlyphs] = &font;
    }

    // Pushes a screen holding one box of the given size at (kBoxX, kBoxY), focused.
    CountingBox* Open(int32_t width = 100, int32_t maxChars = 10, const char* text = nullptr) {
        auto* box = new CountingBox(width, 22, maxChars, false);
        box->SetFont(kGlyphs, kMetricsId, 16, 64);
        box->SetFrame(0x304838, 0x90B8A8, 0x102860);
        box->SetHighlightColour(0x081060);
        if (text) box->SetText(text);
        screen = new EditScreen(&h.log, "edit");
        screen->build = [=](ProbeScreen& s) { s.AddFocusableWidget(box, kBoxX, kBoxY); };
        h.manager.PushScreen(screen, false, false, false);
        h.Frames(1);
        return box;
    }

    void Type(std::string_view text) {
        for (char c : text) h.manager.OnChar(static_cast<unsigned char>(c), 1, 0);
    }
    void Key(uint32_t vk, uint32_t held = 0) {
        h.window.keyState = held;
        h.manager.OnKeyDown(vk, 1, 0);
        h.window.keyState = 0;
    }
    void Keys(uint32_t vk, int times, uint32_t held = 0) {
        for (int i = 0; i < times; ++i) Key(vk, held);
    }

    std::vector<RecordingDisplay::Draw> FillsOf(uint32_t colour) const {
        std::vector<RecordingDisplay::Draw> found;
        for (const auto& draw : h.display.LastFrame()) {
            if (draw.op == RecordingDisplay::Op::Fill && draw.colour == colour) {
                found.push_back(draw);
            }
        }
        return found;
    }

    MemoryResources resources;
    BitmapFont font;
    UiHarness h;
    EditScreen* screen = nullptr;
};

std::string TextOf(const EditBox* box) {
    return box->GetText().CStr();
}

}  // namespace

TEST_F(EditBoxTest, FocusSelectsEverythingAndTypingReplacesIt) {
    CountingBox* box = Open(100, 10, "abc");
    EXPECT_TRUE(box->IsFocused());
    EXPECT_EQ(box->GetAnchor(), 0);
    EXPECT_EQ(box->GetCaret(), 3);
    EXPECT_EQ(box->GetBlinkPeriod(), 20);

    int before = box->notices;
    Type("x");
    EXPECT_EQ(TextOf(box), "x");
    EXPECT_EQ(box->GetCaret(), 1);
    EXPECT_EQ(box->GetAnchor(), -1);
    EXPECT_EQ(box->notices, before + 1);
    EXPECT_EQ(box->last, "x");

    // No glyph, control characters and codes beyond one byte never get in.
    Type("A\t");
    h.manager.OnChar(0x263A, 1, 0);
    h.manager.OnChar(0, 1, 0);
    EXPECT_EQ(TextOf(box), "x");
    EXPECT_EQ(box->notices, before + 1);
}

TEST_F(EditBoxTest, AnEmptyBoxGainsTheFocusWithoutASelection) {
    CountingBox* box = Open();
    EXPECT_TRUE(box->IsFocused());
    EXPECT_EQ(box->GetAnchor(), -1);
    EXPECT_EQ(box->GetCaret(), 0);
}

TEST_F(EditBoxTest, CharacterCountAndDrawnWidthAreBothLimited) {
    CountingBox* box = Open(100, 10);
    Type("abcdefghij");  // 84 + 10 = 94 pixels, 10 characters
    EXPECT_EQ(TextOf(box), "abcdefghij");
    Type("i");
    EXPECT_EQ(TextOf(box), "abcdefghij");

    CountingBox* wide = Open(100, 100);
    Type("aaaaaaaaa");  // 90
    Type("a");          // would make 100: the text must stay narrower than the box
    EXPECT_EQ(TextOf(wide), "aaaaaaaaa");
    Type("i");  // 94
    EXPECT_EQ(TextOf(wide), "aaaaaaaaai");

    // Replacing a selection frees its room first.
    Type("a");
    EXPECT_EQ(TextOf(wide), "aaaaaaaaai");
    Keys(kVkLeft, 2, kKeyShift);
    Type("a");
    EXPECT_EQ(TextOf(wide), "aaaaaaaaa");
}

TEST_F(EditBoxTest, UndoTakesBackAWholeStepAndASecondUndoRestoresIt) {
    CountingBox* box = Open();
    Type("abc");
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "");
    EXPECT_EQ(box->GetCaret(), 0);
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "abc");
    EXPECT_EQ(box->GetAnchor(), 0);
    EXPECT_EQ(box->GetCaret(), 3);

    Key(kVkEnd);
    Type("d");
    Keys(kVkBack, 2);
    EXPECT_EQ(TextOf(box), "ab");
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "abcd");
    EXPECT_EQ(box->GetAnchor(), 2);
    EXPECT_EQ(box->GetCaret(), 4);
}

TEST_F(EditBoxTest, MovingTheCaretSplitsTypingIntoTwoSteps) {
    CountingBox* box = Open();
    Type("ab");
    Key(kVkLeft);
    EXPECT_EQ(box->GetUndoKind(), EditBox::kUndoCaretMoved);
    Type("x");
    EXPECT_EQ(TextOf(box), "axb");
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "ab");
    EXPECT_EQ(box->GetCaret(), 1);
    EXPECT_EQ(box->GetAnchor(), -1);
}

TEST_F(EditBoxTest, DeleteKeysAndTheirUndo) {
    CountingBox* box = Open(100, 10, "abcde");
    Key(kVkHome);
    Key(kVkDelete);
    Key(kVkDelete);
    EXPECT_EQ(TextOf(box), "cde");
    EXPECT_EQ(box->GetCaret(), 0);
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "abcde");
    EXPECT_EQ(box->GetAnchor(), 0);
    EXPECT_EQ(box->GetCaret(), 2);

    // Shift+Delete without a selection deletes the character before the caret.
    Key(kVkEnd);
    Key(kVkDelete, kKeyShift);
    EXPECT_EQ(TextOf(box), "abcd");
    // Delete with a selection removes it; at the end of the text Delete does nothing.
    Key(kVkLeft, kKeyShift);
    Key(kVkLeft, kKeyShift);
    Key(kVkDelete);
    EXPECT_EQ(TextOf(box), "ab");
    Key(kVkDelete);
    EXPECT_EQ(TextOf(box), "ab");
    Key(kVkHome);
    Key(kVkBack);
    EXPECT_EQ(TextOf(box), "ab");
}

TEST_F(EditBoxTest, ArrowsHomeEndAndWordJumps) {
    CountingBox* box = Open(200, 40, "hello world");
    Key(kVkEnd);
    EXPECT_EQ(box->GetAnchor(), -1);
    EXPECT_EQ(box->GetCaret(), 11);
    Keys(kVkLeft, 2, kKeyShift);
    EXPECT_EQ(box->GetAnchor(), 11);
    EXPECT_EQ(box->GetCaret(), 9);
    Key(kVkBack);
    EXPECT_EQ(TextOf(box), "hello wor");

    Key(kVkHome);
    Key(kVkRight, kKeyControl);
    EXPECT_EQ(box->GetCaret(), 6);  // past the word and the space after it
    Key(kVkRight, kKeyControl);
    EXPECT_EQ(box->GetCaret(), 9);
    Key(kVkRight);
    EXPECT_EQ(box->GetCaret(), 9);
    Key(kVkLeft);
    Key(kVkLeft, kKeyControl);
    EXPECT_EQ(box->GetCaret(), 6);  // from inside a word to its start
    Key(kVkLeft, kKeyControl);
    EXPECT_EQ(box->GetCaret(), 0);  // from a word's start to the previous word's start
    Key(kVkLeft);
    EXPECT_EQ(box->GetCaret(), 0);

    // Shift+End selects to the end; returning to the anchor leaves no selection.
    Key(kVkEnd, kKeyShift);
    EXPECT_EQ(box->GetAnchor(), 0);
    Key(kVkHome, kKeyShift);
    EXPECT_EQ(box->GetAnchor(), -1);
}

TEST_F(EditBoxTest, WordJumpsTreatAccentedLettersAsLetters) {
    CountingBox* box = Open(200, 40);
    box->SetText("ab\xE9z c");
    EXPECT_EQ(box->WordLeft(4), 0);
    EXPECT_EQ(box->WordRight(0), 5);
    EXPECT_EQ(box->WordRight(100), 6);
    EXPECT_EQ(box->WordLeft(0), 0);
}

TEST_F(EditBoxTest, KeysReachOtherListenersAndAnUnfocusedBoxIgnoresThem) {
    auto* first = new CountingBox(100, 22, 10, false);
    auto* second = new CountingBox(100, 22, 10, false);
    first->SetFont(kGlyphs, kMetricsId, 16, 64);
    second->SetFont(kGlyphs, kMetricsId, 16, 64);
    auto* listener = h.NewWidget("listener", 1, 1);
    listener->onCreate = [](ProbeWidget& w) { w.EnableKeyDown(true); };
    ProbeScreen* both = h.NewScreen("both");
    both->build = [=](ProbeScreen& s) {
        s.AddWidget(listener, 300, 300);
        s.AddFocusableWidget(first, 0, 0);
        s.AddFocusableWidget(second, 0, 40);
    };
    h.manager.PushScreen(both, false, false, false);

    EXPECT_TRUE(first->IsFocused());
    EXPECT_FALSE(second->IsFocused());
    Type("ab");
    EXPECT_EQ(TextOf(first), "ab");
    EXPECT_EQ(TextOf(second), "");
    Key(kVkBack);
    EXPECT_EQ(TextOf(first), "a");
    EXPECT_TRUE(h.Logged("listener:Key 8"));

    h.manager.OnChar('\t', 1, 0);
    EXPECT_FALSE(first->IsFocused());
    EXPECT_TRUE(second->IsFocused());
    Type("c");
    Key(kVkBack);
    Key(kVkBack);
    EXPECT_EQ(TextOf(first), "a");
    EXPECT_EQ(TextOf(second), "");
}

TEST_F(EditBoxTest, ClipboardCopyCutAndPaste) {
    CountingBox* box = Open(200, 20, "hello");
    Type("\x03");
    EXPECT_EQ(h.window.clipboard, "hello");

    Key(kVkEnd);
    h.window.clipboard = "Ab,c\n9";
    Type("\x16");
    EXPECT_EQ(TextOf(box), "hellob,c9");  // what the font cannot draw is dropped
    EXPECT_EQ(box->GetCaret(), 9);
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "hello");
    EXPECT_EQ(box->GetCaret(), 5);

    Keys(kVkLeft, 2, kKeyShift);
    Type("\x18");
    EXPECT_EQ(TextOf(box), "hel");
    EXPECT_EQ(h.window.clipboard, "lo");
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "hello");
    EXPECT_EQ(box->GetAnchor(), 3);
    EXPECT_EQ(box->GetCaret(), 5);

    // Ctrl+Insert copies, Shift+Insert pastes over the selection.
    Key(kVkHome, kKeyShift);
    Key(kVkInsert, kKeyControl);
    EXPECT_EQ(h.window.clipboard, "hel");
    Key(kVkEnd);
    Key(kVkInsert, kKeyShift);
    EXPECT_EQ(TextOf(box), "hellohel");

    // Shift+Delete with a selection cuts it.
    Keys(kVkLeft, 3, kKeyShift);
    Key(kVkDelete, kKeyShift);
    EXPECT_EQ(TextOf(box), "hello");
    EXPECT_EQ(h.window.clipboard, "hel");

    // Pasting what the font can draw none of replaces the selection with nothing, undoably.
    Keys(kVkLeft, 2, kKeyShift);
    h.window.clipboard = "ABC";
    Type("\x16");
    EXPECT_EQ(TextOf(box), "hel");
    Type("\x1A");
    EXPECT_EQ(TextOf(box), "hello");
}

TEST_F(EditBoxTest, ClipboardRefusalsChangeNothing) {
    CountingBox* box = Open(100, 6, "ab");
    Key(kVkEnd);
    h.window.clipboard = "keep";
    EXPECT_FALSE(box->Copy());
    Type("\x03\x18");
    EXPECT_EQ(h.window.clipboard, "keep");
    EXPECT_EQ(TextOf(box), "ab");

    h.window.clipboard = "";
    Type("\x16");
    h.window.clipboard = "ABC\n";  // nothing the font can draw, and nothing selected
    Type("\x16");
    h.window.clipboard = "abcde";  // seven characters would pass the limit of six
    Type("\x16");
    EXPECT_EQ(TextOf(box), "ab");
    h.window.hasClipboard = false;
    h.window.clipboard = "c";
    Type("\x16");
    EXPECT_EQ(TextOf(box), "ab");
    Key(kVkHome, kKeyShift);
    EXPECT_FALSE(box->Copy());
}

TEST_F(EditBoxTest, ClicksPlaceTheCaretByHalfCharacters) {
    CountingBox* box = Open(100, 10, "abc");
    h.manager.OnLButtonDown(0, kBoxX + 14, kBoxY + 5);  // left of the middle of "b"
    h.manager.OnLButtonUp(0, kBoxX + 14, kBoxY + 5);
    EXPECT_EQ(box->GetCaret(), 1);
    EXPECT_EQ(box->GetAnchor(), -1);
    h.manager.OnLButtonDown(0, kBoxX + 15, kBoxY + 5);  // right of it
    h.manager.OnLButtonUp(0, kBoxX + 15, kBoxY + 5);
    EXPECT_EQ(box->GetCaret(), 2);
    h.manager.OnLButtonDown(0, kBoxX + 90, kBoxY + 5);
    h.manager.OnLButtonUp(0, kBoxX + 90, kBoxY + 5);
    EXPECT_EQ(box->GetCaret(), 3);

    // Shift extends from the caret.
    h.manager.OnLButtonDown(kKeyShift, kBoxX + 1, kBoxY + 5);
    h.manager.OnLButtonUp(kKeyShift, kBoxX + 1, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), 3);
    EXPECT_EQ(box->GetCaret(), 0);
}

TEST_F(EditBoxTest, DraggingSelectsAndAStillDragLeavesNoEmptySelection) {
    CountingBox* box = Open(100, 10, "abc");
    h.manager.OnLButtonDown(0, kBoxX + 16, kBoxY + 5);
    EXPECT_EQ(h.manager.GetDragWidget(), box);
    h.manager.OnMouseMove(kKeyLButton, kBoxX + 26, kBoxY + 5);
    h.manager.OnLButtonUp(0, kBoxX + 26, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), 2);
    EXPECT_EQ(box->GetCaret(), 3);
    EXPECT_EQ(h.manager.GetDragWidget(), nullptr);

    h.manager.OnLButtonDown(0, kBoxX + 16, kBoxY + 5);
    h.manager.OnMouseMove(kKeyLButton, kBoxX + 17, kBoxY + 5);
    h.manager.OnLButtonUp(0, kBoxX + 17, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), -1);
    Key(kVkBack);
    EXPECT_EQ(TextOf(box), "ac");
}

TEST_F(EditBoxTest, DoubleClickSelectsTheWord) {
    CountingBox* box = Open(200, 20, "hello world");
    // "hello" is 50 wide, the space 6: x 70 lies in the "o" of "world".
    h.manager.OnLButtonDblClk(0, kBoxX + 70, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), 6);
    EXPECT_EQ(box->GetCaret(), 11);

    Key(kVkHome);
    h.manager.OnLButtonDblClk(kKeyShift, kBoxX + 70, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), 0);
    EXPECT_EQ(box->GetCaret(), 11);

    // Extending towards a word before the anchor goes to that word's start.
    Key(kVkEnd);
    h.manager.OnLButtonDblClk(kKeyShift, kBoxX + 20, kBoxY + 5);
    EXPECT_EQ(box->GetAnchor(), 11);
    EXPECT_EQ(box->GetCaret(), 0);
}

TEST_F(EditBoxTest, AClickGivesAnUnfocusedBoxTheFocus) {
    auto* first = new CountingBox(100, 22, 10, false);
    auto* second = new CountingBox(100, 22, 10, false);
    first->SetFont(kGlyphs, kMetricsId, 16, 64);
    second->SetFont(kGlyphs, kMetricsId, 16, 64);
    second->SetText("ab");
    ProbeScreen* both = h.NewScreen("both");
    both->build = [=](ProbeScreen& s) {
        s.AddFocusableWidget(first, 0, 0);
        s.AddFocusableWidget(second, 0, 40);
    };
    h.manager.PushScreen(both, false, false, false);
    h.Frames(1);
    h.manager.OnLButtonDown(0, 5, 45);
    h.manager.OnLButtonUp(0, 5, 45);
    EXPECT_FALSE(first->IsFocused());
    EXPECT_TRUE(second->IsFocused());
    EXPECT_EQ(both->GetFocused(), second);
}

TEST_F(EditBoxTest, LongTextScrollsToKeepFiveCharactersAroundTheCaret) {
    CountingBox* box = Open(100, 100);
    box->SetText(std::string(30, 'a').c_str());  // 300 pixels in a 100-pixel box
    h.Frames(1);
    EXPECT_EQ(box->GetFirstVisible(), 20);

    Key(kVkHome);
    EXPECT_EQ(box->GetFirstVisible(), 0);
    Keys(kVkRight, 10);
    EXPECT_EQ(box->GetFirstVisible(), 0);  // caret at the right edge, still in view
    Key(kVkRight);
    EXPECT_EQ(box->GetCaret(), 11);
    EXPECT_EQ(box->GetFirstVisible(), 6);  // text now ends at 16, five past the caret

    Key(kVkEnd);
    EXPECT_EQ(box->GetFirstVisible(), 20);
    Keys(kVkLeft, 11);
    EXPECT_EQ(box->GetCaret(), 19);
    EXPECT_EQ(box->GetFirstVisible(), 14);  // five before the caret

    // The drawn text starts at the first visible character, clipped to the box.
    auto glyphs = h.display.ImagesIn(h.display.LastFrame(), kGlyphs);
    EXPECT_EQ(glyphs.size(), 10u);
    // A click left of the box reaches back one character.
    EXPECT_EQ(box->HitTest(-3), 13);
}

TEST_F(EditBoxTest, DrawsFrameSelectionCaretAndText) {
    auto* box = new EditBox(100, 22, 10, true);
    box->SetFont(kGlyphs, kMetricsId, 16, 64);
    box->SetFrame(0x111111, 0x222222, 0x333333);
    box->SetHighlightColour(0x081060);
    box->SetText("abc");
    ProbeScreen* s = h.NewScreen("s");
    s->build = [=](ProbeScreen& sc) { sc.AddFocusableWidget(box, kBoxX, kBoxY); };
    h.manager.PushScreen(s, false, false, false);
    h.Frames(1);

    auto underline = FillsOf(0xFFFFFF);
    ASSERT_GE(underline.size(), 2u);
    EXPECT_EQ(underline[0].rect, (Rect{kBoxX, kBoxY + 21, kBoxX + 100, kBoxY + 22}));
    auto outer = FillsOf(0x333333);
    auto middle = FillsOf(0x111111);
    auto inner = FillsOf(0x222222);
    ASSERT_EQ(outer.size(), 4u);
    ASSERT_EQ(middle.size(), 4u);
    ASSERT_EQ(inner.size(), 4u);
    EXPECT_EQ(outer[0].rect.left, kBoxX - 4);
    EXPECT_EQ(outer[0].rect.top, kBoxY - 2);
    EXPECT_EQ(middle[0].rect.left, kBoxX - 5);
    EXPECT_EQ(inner[0].rect.top, kBoxY - 4);

    auto highlight = FillsOf(0x081060);
    ASSERT_EQ(highlight.size(), 1u);
    EXPECT_EQ(highlight[0].rect, (Rect{kBoxX - 1, kBoxY, kBoxX + 30, kBoxY + 22}));
    EXPECT_EQ(underline.back().rect, (Rect{kBoxX + 29, kBoxY, kBoxX + 30, kBoxY + 22}));
    auto glyphs = h.display.ImagesIn(h.display.LastFrame(), kGlyphs);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].y, kBoxY + 16 - 16);
    EXPECT_EQ(glyphs[2].x, kBoxX + 20);
    EXPECT_EQ(glyphs[0].alpha, 255);

    // Disabled: no selection bar, the text at the disabled alpha.
    box->SetEnabled(false);
    h.Frames(1);
    EXPECT_TRUE(FillsOf(0x081060).empty());
    glyphs = h.display.ImagesIn(h.display.LastFrame(), kGlyphs);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].alpha, 64);
}

TEST_F(EditBoxTest, TheCaretBlinksEveryHalfSecondWhileFocused) {
    CountingBox* box = Open(100, 10, "ab");
    Key(kVkEnd);
    EXPECT_TRUE(box->IsCaretShown());
    auto caretAt = [&] {
        for (const auto& fill : FillsOf(0xFFFFFF)) {
            if (fill.rect == Rect{kBoxX + 19, kBoxY, kBoxX + 20, kBoxY + 22}) return true;
        }
        return false;
    };
    EXPECT_TRUE(caretAt());
    h.Frames(18);  // the frame that opened the box was the first of the half second
    EXPECT_TRUE(box->IsCaretShown());
    h.Frames(1);
    EXPECT_FALSE(box->IsCaretShown());
    EXPECT_FALSE(caretAt());
    h.Frames(20);
    EXPECT_TRUE(box->IsCaretShown());
    EXPECT_TRUE(caretAt());

    // A key or a click shows the caret at once, and the countdown runs on: the caret hides when
    // the half second it came in ends.
    h.Frames(35);
    EXPECT_FALSE(box->IsCaretShown());
    Key(kVkLeft);
    EXPECT_TRUE(box->IsCaretShown());
    h.manager.OnLButtonDown(0, kBoxX + 90, kBoxY + 5);
    h.manager.OnLButtonUp(0, kBoxX + 90, kBoxY + 5);
    h.Frames(5);
    EXPECT_FALSE(box->IsCaretShown());

    // An unfocused box does not blink.
    Key(kVkLeft);
    box->SetFocus(false);
    h.Frames(40);
    EXPECT_TRUE(box->IsCaretShown());
    EXPECT_FALSE(caretAt());
}

TEST_F(EditBoxTest, EnterTellsTheScreen) {
    CountingBox* box = Open(100, 10, "ab");
    Type("\r");
    EXPECT_EQ(screen->entered, box);
    EXPECT_EQ(TextOf(box), "ab");
}

TEST_F(EditBoxTest, WithoutAFontNothingIsTypedOrDrawn) {
    auto* box = new EditBox(100, 22, 10, false);
    box->SetFont(999, 998, 16, 64);
    ProbeScreen* s = h.NewScreen("s");
    s->build = [=](ProbeScreen& sc) { sc.AddFocusableWidget(box, 0, 0); };
    h.manager.PushScreen(s, false, false, false);
    Type("abc");
    h.window.clipboard = "abc";
    Type("\x16");
    EXPECT_EQ(TextOf(box), "");
    EXPECT_EQ(box->HitTest(50), 0);
    h.Frames(1);
    EXPECT_TRUE(h.display.ImagesIn(h.display.LastFrame(), kGlyphs).empty());
}

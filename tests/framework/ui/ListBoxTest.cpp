// The list box on a screen: pinned and scrolled rows, the arrow column, clicks, selection rules,
// removal and what it draws.
#include "framework/ui/ListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ControlScene.h"
#include "framework/core/MemoryResources.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Button.h"

namespace {

constexpr int32_t kGlyphs = 290;
constexpr int32_t kMetricsId = 289;
constexpr int32_t kUp = 293;
constexpr int32_t kDown = 294;
constexpr int32_t kListX = 50;
constexpr int32_t kListY = 70;
constexpr int32_t kWidth = 280;
constexpr int32_t kRow = 23;

// "a" to "z", each 10 wide; the item texts are single letters, so a row's glyph says its item.
constexpr char kMetrics[] =
    "H:14,12,0,5,1\n"
    "S:0x61,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10\n";

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources.Add(kTextType, kMetricsId, std::string_view(kMetrics));
        ASSERT_TRUE(font.Load(kGlyphs, kMetricsId, &resources));
        s.h.display.AddImage(kGlyphs, 260, 14);
        s.h.display.fonts[kGlyphs] = &font;
        s.h.display.AddImage(kUp, 88, 20);
        s.h.display.AddImage(kDown, 88, 20);
    }

    // A list like the player list: 6 rows of 23 pixels, 1 pinned, with `items` items "a", "b"…
    ListBox* Open(int items, bool arrows = true) {
        auto* list = new ListBox(4, kWidth, kRow, 6, 1);
        list->SetFont(kGlyphs, kMetricsId, 5, 17, 64);
        list->SetHighlightColour(0x081060);
        list->SetFrame(0x304838, 0x90B8A8, 0x102860);
        if (arrows) list->CreateArrows(kUp, kDown);
        for (int i = 0; i < items; ++i) {
            list->AddItemText(std::string(1, static_cast<char>('a' + i)).c_str(), 100 + i);
        }
        s.Show([=](ProbeScreen& screen) { screen.AddWidget(list, kListX, kListY); });
        return list;
    }

    // The texts of the items on the display rows ("." for an empty row).
    std::string Rows(const ListBox* list) const {
        std::string rows;
        for (int r = 0; r < 6; ++r) {
            int item = list->ItemAtRow(r);
            rows += item < 0 ? '.' : list->GetItemText(item)[0];
        }
        return rows;
    }

    // What the last frame drew, row by row: the letter drawn at each row's baseline.
    std::string DrawnRows() {
        auto glyphs = s.Drawn(kGlyphs);
        std::string rows(6, '.');
        for (const auto& glyph : glyphs) {
            int row = (glyph.y - kListY + 12 - 17) / kRow;
            if (row >= 0 && row < 6) rows[row] = static_cast<char>('a' + glyph.source.left / 10);
        }
        return rows;
    }

    MemoryResources resources;
    BitmapFont font;
    ControlScene s;
};

}  // namespace

TEST_F(ListBoxTest, TheDownArrowScrollsBelowThePinnedRowAndCarriesTheSelection) {
    ListBox* list = Open(8);
    EXPECT_EQ(DrawnRows(), "abcdef");
    list->Select(3);
    Button* down = list->GetDownArrow();
    ASSERT_NE(down, nullptr);
    ASSERT_TRUE(down->IsEnabled());
    int32_t ax = 0, ay = 0;
    down->GetAbsolutePosition(ax, ay);
    s.Click(ax + 5, ay + 5);
    EXPECT_EQ(Rows(list), "acdefg");
    EXPECT_EQ(list->GetSelection(), 4);  // the bar stays on its row
    EXPECT_EQ(DrawnRows(), "acdefg");

    s.screen->SendCommand(kDown);
    EXPECT_EQ(Rows(list), "adefgh");
    EXPECT_EQ(list->GetSelection(), 5);
    s.screen->SendCommand(kDown);
    EXPECT_EQ(Rows(list), "adefgh");
    EXPECT_EQ(list->GetSelection(), 5);

    s.screen->SendCommand(kUp);
    s.screen->SendCommand(kUp);
    s.screen->SendCommand(kUp);
    EXPECT_EQ(Rows(list), "abcdef");
    EXPECT_EQ(list->GetSelection(), 3);
    // The arrows' own commands go nowhere else, other commands are not the list's.
    EXPECT_FALSE(list->OnCommand(999));
}

TEST_F(ListBoxTest, APinnedSelectionStaysPutWhileTheRestScrolls) {
    ListBox* list = Open(8);
    EXPECT_EQ(list->GetSelection(), 0);
    s.screen->SendCommand(kDown);
    EXPECT_EQ(list->GetSelection(), 0);
    s.screen->SendCommand(kUp);
    s.screen->SendCommand(kUp);
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(list->GetItemData(list->GetSelection()), 100);
}

TEST_F(ListBoxTest, ArrowsAreEnabledOnlyWhenThereIsMoreThanFits) {
    ListBox* list = Open(6);
    ASSERT_NE(list->GetUpArrow(), nullptr);
    EXPECT_FALSE(list->GetUpArrow()->IsEnabled());
    EXPECT_FALSE(list->GetDownArrow()->IsEnabled());
    // The arrow column sits right of the rows: one frame of the up picture and a border.
    EXPECT_EQ(list->GetRect(), (Rect{0, 0, kWidth + 2 + 22 + 2, kRow * 6 + 2}));
    int32_t x = 0, y = 0;
    list->GetDownArrow()->GetPosition(x, y);
    EXPECT_EQ(x, kWidth + 3);
    EXPECT_EQ(y, kRow * 6 + 2 - 20 - 1);
    list->AddItemText("g", 0);
    EXPECT_TRUE(list->GetUpArrow()->IsEnabled());
    EXPECT_TRUE(list->GetDownArrow()->IsEnabled());
    list->RemoveItem(6);
    EXPECT_FALSE(list->GetDownArrow()->IsEnabled());
    list->AddItemText("g", 0);
    list->Clear();
    EXPECT_FALSE(list->GetUpArrow()->IsEnabled());
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_EQ(list->GetTop(), 1);
}

TEST_F(ListBoxTest, SelectClampsAndScrollsTheSelectionIntoTheLastRow) {
    ListBox* list = Open(0);
    EXPECT_EQ(list->GetSelection(), -1);
    list->Select(2);
    EXPECT_EQ(list->GetSelection(), -1);
    EXPECT_EQ(list->AddItemText("a", 7), 0);
    EXPECT_EQ(list->GetSelection(), 0);  // the first item is selected
    for (char c = 'b'; c <= 'h'; ++c) list->AddItemText(std::string(1, c).c_str(), 0);
    EXPECT_EQ(list->GetSelection(), 0);
    list->Select(-1);
    EXPECT_EQ(list->GetSelection(), 0);
    list->Select(100);
    EXPECT_EQ(list->GetSelection(), 7);
    EXPECT_EQ(list->GetTop(), 3);
    EXPECT_EQ(Rows(list), "adefgh");
    // A selection above the scrolled rows does not scroll back up.
    list->Select(1);
    EXPECT_EQ(list->GetTop(), 3);
    EXPECT_EQ(list->GetItemText(7), "h");
    EXPECT_EQ(list->GetItemText(8), "");
    EXPECT_EQ(list->GetItemData(-1), 0);
}

TEST_F(ListBoxTest, AClickOnARowSelectsItPlaysTheClickAndTellsTheScreen) {
    ListBox* list = Open(8);
    s.screen->SendCommand(kDown);
    s.Click(kListX + 100, kListY + 2 * kRow + 3);
    EXPECT_EQ(list->GetSelection(), 3);  // row 2 shows item top - pinned + 2
    EXPECT_EQ(s.Commands(4), 1);
    EXPECT_EQ(s.Sounds(105), 1);
    s.Click(kListX + 100, kListY + 5);
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(s.Commands(4), 2);

    // The side margins and the space below the rows are not rows.
    s.Click(kListX + 1, kListY + kRow + 3);
    s.Click(kListX + kWidth - 2, kListY + kRow + 3);
    s.Click(kListX + 100, kListY + 6 * kRow + 1);
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(s.Commands(4), 2);
}

TEST_F(ListBoxTest, EmptyRowsIgnoreClicks) {
    ListBox* list = Open(3);
    s.Click(kListX + 100, kListY + 4 * kRow + 3);
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_EQ(s.Commands(4), 0);
    s.Click(kListX + 100, kListY + 2 * kRow + 3);
    EXPECT_EQ(list->GetSelection(), 2);
}

TEST_F(ListBoxTest, RemovingNearTheEndPullsTheScrolledRowsDown) {
    ListBox* list = Open(9);
    list->Select(8);
    EXPECT_EQ(list->GetTop(), 4);
    list->RemoveItem(8);
    EXPECT_EQ(list->GetTop(), 3);
    EXPECT_EQ(list->GetSelection(), 7);
    EXPECT_EQ(Rows(list), "adefgh");

    // Removing above the scrolled rows leaves an empty row at the bottom; its clicks are ignored
    // rather than picking an item past the end.
    list->RemoveItem(1);
    EXPECT_EQ(list->GetTop(), 3);
    EXPECT_EQ(list->GetSelection(), 6);
    EXPECT_EQ(Rows(list), "aefgh.");
    EXPECT_EQ(DrawnRows(), "aefgh.");
    s.Click(kListX + 100, kListY + 5 * kRow + 3);
    EXPECT_EQ(list->GetSelection(), 6);
    EXPECT_EQ(s.Commands(4), 0);

    while (list->GetItemCount() > 0) {
        list->RemoveItem(list->GetItemCount() - 1);
        if (list->GetItemCount() > 0) {
            EXPECT_GE(list->GetSelection(), 0);
            EXPECT_LT(list->GetSelection(), list->GetItemCount());
        }
    }
    EXPECT_EQ(list->GetSelection(), -1);
    list->RemoveItem(0);
    list->RemoveItem(-3);
    EXPECT_EQ(list->GetItemCount(), 0);
}

TEST_F(ListBoxTest, DrawsTheFrameTheSeparatorTheBarAndTheRows) {
    ListBox* list = Open(3);
    list->Select(1);
    s.Drawn(kGlyphs);
    std::vector<Rect> bars, separators;
    for (const auto& draw : s.h.display.LastFrame()) {
        if (draw.op == RecordingDisplay::Op::Fill && draw.colour == 0x081060) bars.push_back(draw.rect);
        if (draw.op == RecordingDisplay::Op::Fill && draw.rect.Width() == 1 &&
            draw.rect.left == kListX + kWidth + 2) {
            separators.push_back(draw.rect);
        }
    }
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0], (Rect{kListX, kListY + kRow, kListX + kWidth, kListY + 2 * kRow}));
    ASSERT_FALSE(separators.empty());
    EXPECT_EQ(separators[0].bottom, kListY + kRow * 6 + 2 - 2);
    auto glyphs = s.h.display.ImagesIn(s.h.display.LastFrame(), kGlyphs);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].x, kListX + 5);
    EXPECT_EQ(glyphs[2].y, kListY + 2 * kRow + 17 - 12);
    EXPECT_EQ(glyphs[0].alpha, 255);

    list->SetEnabled(false);
    glyphs = s.Drawn(kGlyphs);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_EQ(glyphs[0].alpha, 64);
}

TEST_F(ListBoxTest, TheHandShowsOverFilledRowsOnly) {
    Open(2);
    s.Move(kListX + 100, kListY + 5);
    EXPECT_EQ(s.h.manager.GetCursorKind(), ScreenManager::kCursorHand);
    s.Move(kListX + 100, kListY + 3 * kRow);
    EXPECT_EQ(s.h.manager.GetCursorKind(), ScreenManager::kCursorNormal);
    s.Move(kListX + 1, kListY + 5);
    EXPECT_EQ(s.h.manager.GetCursorKind(), ScreenManager::kCursorNormal);
}

TEST_F(ListBoxTest, ArrowsAskedForBeforeAttachingAreBuiltWithTheList) {
    auto* list = new ListBox(4, kWidth, kRow, 6, 1);
    list->CreateArrows(kUp, kDown);
    EXPECT_EQ(list->GetUpArrow(), nullptr);
    s.Show([=](ProbeScreen& screen) { screen.AddWidget(list, 0, 0); });
    ASSERT_NE(list->GetUpArrow(), nullptr);
    EXPECT_EQ(list->GetChildren().size(), 2u);
    list->CreateArrows(kUp, kDown);
    EXPECT_EQ(list->GetChildren().size(), 2u);
}

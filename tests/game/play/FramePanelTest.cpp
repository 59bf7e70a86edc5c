#include "game/play/FramePanel.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "framework/ui/AnimatedSprite.h"
#include "tests/game/play/DialogHarness.h"

namespace {

using P = FramePanel;

class FramePanelTest : public DialogTest {
protected:
    // The union of every border picture the last frame drew, relative to the panel at (x, y).
    Rect BorderExtent(int32_t x, int32_t y) const
    {
        Rect all;
        for (int32_t id : {277, 282, 279, 278, 276})
            for (const Rect& r : Drawn(id))
                all = Rect::Union(all, r.Offset(-x, -y));
        return all;
    }
};

TEST_F(FramePanelTest, EmptyEdgesLeaveTheFourCorners)
{
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) { s.SetFrameStyle(P::kLargeCorner, P::kLargeCorner, P::kLargeCorner, P::kLargeCorner); });
    int32_t w = 0, h2 = 0;
    box->GetPanelSize(w, h2);
    EXPECT_EQ(w, 168);
    EXPECT_EQ(h2, 168);
    const auto corners = Drawn(277);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(corners[0].left, 0);
    EXPECT_EQ(corners[1].left, 84);
    EXPECT_EQ(corners[2].top, 84);
    EXPECT_EQ(corners[3].left, 84);
    EXPECT_EQ(corners[3].top, 84);
    EXPECT_TRUE(Drawn(278).empty());
    EXPECT_TRUE(Drawn(276).empty());
}

TEST_F(FramePanelTest, SizesOfTheGamesBoxes)
{
    struct Case {
        const char* what;
        int32_t corners[4];
        std::vector<int32_t> left, right, top, bottom;
        int32_t width, height;
    };
    const Case cases[] = {
        {"free-play menu", {0, 1, 1, 0}, {3, 1, 3, 2, 0}, {1, 2, 3, 3, 0}, {2, 1, 0}, {1, 2, 0}, 267, 421},
        {"story menu", {0, 1, 1, 0}, {2, 3, 1, 0}, {3, 1, 2, 0}, {2, 0}, {2, 0}, 219, 337},
        {"leave notice", {0, 1, 1, 0}, {2, 0}, {2, 0}, {3, 3, 3, 0}, {3, 3, 3, 0}, 433, 211},
        {"layout result", {0, 1, 1, 0}, {2, 1, 0}, {2, 1, 0}, {1, 3, 2, 3, 2, 0}, {3, 1, 2, 3, 2, 0}, 528, 253},
        // The drawn width of the ornamented box takes in its right ornament.
        {"level result", {2, 2, 1, 1}, {3, 3, 0}, {3, 3, 0}, {2, 2, 1, 3, 0}, {3, 2, 2, 1, 0}, 547, 296},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedPanel* box = Push(40, 30, [&](ScriptedPanel& s) {
            s.SetFrameStyle(c.corners[0], c.corners[1], c.corners[2], c.corners[3]);
            s.SetEdgePieces(c.left.data(), c.right.data(), c.top.data(), c.bottom.data());
        });
        int32_t w = 0, h2 = 0;
        box->GetPanelSize(w, h2);
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h2, c.height);
        const Rect extent = BorderExtent(40, 30);
        EXPECT_EQ(extent.left, 0);
        EXPECT_EQ(extent.top, 0);
        EXPECT_EQ(extent.right, c.width);
        EXPECT_EQ(extent.bottom, c.height);
        h.manager.PopScreensNow(1);
    }
}

TEST_F(FramePanelTest, DrawnFrameMatchesItsSizeForAnyStylesAndPieces)
{
    std::mt19937 random(7);
    int tested = 0;
    for (int round = 0; round < 400; ++round) {
        int32_t corners[4];
        for (int i = 0; i < 4; ++i)
            corners[i] = static_cast<int32_t>(random() % 3);
        // The top and bottom rows are equally long in every box of the game.
        const int32_t topLeft[] = {84, 64, 131}, topRight[] = {84, 64, 64}, bottom[] = {84, 64};
        const int32_t inset = corners[0] == P::kOrnamentedCorner ? 67 : 0;
        if (topLeft[corners[0]] + topRight[corners[1]] != inset + bottom[corners[2] % 2] + bottom[corners[3] % 2] ||
            corners[2] == 2 || corners[3] == 2)
            continue;
        ++tested;
        std::vector<int32_t> edges[4];
        for (auto& edge : edges) {
            const int count = static_cast<int>(random() % 5);
            for (int i = 0; i < count; ++i)
                edge.push_back(static_cast<int32_t>(1 + random() % 3));
            edge.push_back(0);
        }
        // Opposite edges are equally long in every box of the game.
        edges[1] = edges[0];
        edges[3] = edges[2];
        std::shuffle(edges[3].begin(), edges[3].end() - 1, random);
        ScriptedPanel* box = Push(0, 0, [&](ScriptedPanel& s) {
            s.SetFrameStyle(corners[0], corners[1], corners[2], corners[3]);
            s.SetEdgePieces(edges[0].data(), edges[1].data(), edges[2].data(), edges[3].data());
        });
        int32_t w = 0, h2 = 0;
        box->GetPanelSize(w, h2);
        const Rect extent = BorderExtent(0, 0);
        SCOPED_TRACE(round);
        EXPECT_EQ(extent.right, w);
        EXPECT_EQ(extent.bottom, h2);
        // The background lies inside the frame.
        const Rect content = box->GetPanel()->ContentRect();
        EXPECT_GT(content.left, extent.left);
        EXPECT_LT(content.right, w);
        EXPECT_LT(content.bottom, h2);
        h.manager.PopScreensNow(1);
    }
    EXPECT_GE(tested, 40);
}

TEST_F(FramePanelTest, EdgePiecesRunAlongTheirEdges)
{
    Push(0, 0, [](ScriptedPanel& s) {
        static const int32_t left[] = {3, 1, 0}, right[] = {2, 0}, top[] = {2, 1, 3, 0}, bottom[] = {1, 0};
        s.SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
        s.SetEdgePieces(left, right, top, bottom);
    });
    const auto horizontal = h.display.ImagesIn(h.display.LastFrame(), 278);
    ASSERT_EQ(horizontal.size(), 4u);
    // Top: medium, short, long from x 84 at y 12, each from the top row of the strip.
    EXPECT_EQ(horizontal[0].rect.left, 84);
    EXPECT_EQ(horizontal[0].rect.top, 12);
    EXPECT_EQ(horizontal[0].source.left, 95);
    EXPECT_EQ(horizontal[1].rect.left, 84 + 71);
    EXPECT_EQ(horizontal[1].source.left, 166);
    EXPECT_EQ(horizontal[2].rect.left, 84 + 71 + 48);
    EXPECT_EQ(horizontal[2].source.left, 0);
    EXPECT_EQ(horizontal[2].source.top, 0);
    // Bottom: from the small bottom-left corner's end, the strip's bottom row.
    const int32_t bottom = 84 + 84 + 42 + 64;
    EXPECT_EQ(horizontal[3].rect.left, 64);
    EXPECT_EQ(horizontal[3].rect.top, bottom - 25);
    EXPECT_EQ(horizontal[3].source.top, 11);
    const auto vertical = h.display.ImagesIn(h.display.LastFrame(), 276);
    ASSERT_EQ(vertical.size(), 3u);
    EXPECT_EQ(vertical[0].rect.left, 18);
    EXPECT_EQ(vertical[0].rect.top, 84);
    EXPECT_EQ(vertical[1].rect.top, 84 + 84);
    const int32_t right = 84 + 71 + 48 + 95 + 64;
    EXPECT_EQ(vertical[2].rect.left, right - 30);
    EXPECT_EQ(vertical[2].rect.top, 64);
    // The background is scaled over the content rectangle.
    const auto background = h.display.ImagesIn(h.display.LastFrame(), 280);
    ASSERT_EQ(background.size(), 1u);
    EXPECT_EQ(background[0].rect.left, 28);
    EXPECT_EQ(background[0].rect.top, 21);
    EXPECT_EQ(background[0].scaleX, (right - 25 - 28) * 100 / 256);
}

// An edge list of the most codes an edge takes needs no 0 after it: it is taken whole, and
// nothing past it, here an unreadable page, is read.
TEST_F(FramePanelTest, AFullEdgeListIsNotReadPastItsLastCode)
{
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    auto* block = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(block, MAP_FAILED);
    ASSERT_EQ(mprotect(block + page, page, PROT_NONE), 0);
    int32_t* full = reinterpret_cast<int32_t*>(block + page) - P::kMaxPiecesPerEdge;
    std::fill_n(full, P::kMaxPiecesPerEdge, P::kShortPiece);
    std::vector<int32_t> ended(full, full + P::kMaxPiecesPerEdge);
    ended.push_back(0);
    const auto widthWith = [](const int32_t* top) {
        FramePanel frame;
        frame.SetEdgePieces(nullptr, nullptr, top, nullptr);
        int32_t width = 0, height = 0;
        frame.GetSize(width, height);
        return width;
    };
    EXPECT_EQ(widthWith(full), widthWith(ended.data()));
    munmap(block, 2 * page);
}

TEST_F(FramePanelTest, BottomCornersKnowOnlyLargeAndSmall)
{
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) { s.SetFrameStyle(P::kSmallCorner, P::kSmallCorner, P::kOrnamentedCorner, 7); });
    int32_t w = 0, h2 = 0;
    box->GetPanelSize(w, h2);
    EXPECT_EQ(h2, 64 + 84);
    EXPECT_EQ(Drawn(277).size(), 2u);  // both bottom corners large
    EXPECT_EQ(BorderExtent(0, 0).bottom, h2);
}

TEST_F(FramePanelTest, LongTitleWrapsInsideTheContentFromY50)
{
    resources.AddString(900, "aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk");
    Push(0, 0, [](ScriptedPanel& s) {
        static const int32_t top[] = {3, 0};
        s.SetFrameStyle(0, 0, 0, 0);
        s.SetEdgePieces(nullptr, nullptr, top, nullptr);
        s.SetTitle(900);
    });
    const auto glyphs = Drawn(286);
    ASSERT_FALSE(glyphs.empty());
    int32_t firstTop = glyphs.front().top, lastTop = firstTop;
    for (const Rect& g : glyphs) {
        EXPECT_GE(g.left, 28);
        EXPECT_LE(g.right, 84 + 95 + 84 - 25);
        lastTop = std::max(lastTop, g.top);
    }
    EXPECT_EQ(firstTop, 50 - 12);
    EXPECT_GT(lastTop, firstTop);
    EXPECT_EQ((lastTop - firstTop) % (14 - 5), 0);  // title lines step by the row height less 5
}

TEST_F(FramePanelTest, LineModesPlaceTheirText)
{
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) {
        static const int32_t top[] = {3, 3, 0}, side[] = {3, 0};
        s.SetFrameStyle(0, 0, 0, 0);
        s.SetEdgePieces(side, side, top, nullptr);
    });
    FramePanel* panel = box->GetPanel();
    ASSERT_EQ(panel->ContentRect().right, 84 + 190 + 84 - 25);
    panel->AddLine("ab", P::kRightAligned, 200, 100, 0, nullptr, 0);
    panel->AddLine("cd", P::kLines, 40, 130, 1, nullptr, 0);
    panel->AddLine("ef", P::kWrapCentred, 10, 160, 0, nullptr, 0);
    h.manager.MarkDirty();
    h.Frames(1);
    const auto line = Drawn(290);
    ASSERT_EQ(line.size(), 4u);
    EXPECT_EQ(line[1].right, 200);  // right-aligned: ends at x
    EXPECT_EQ(line[0].top, 100 - 12);
    const auto emphasis = Drawn(307);
    ASSERT_EQ(emphasis.size(), 2u);
    EXPECT_EQ(emphasis[0].left, 40);
    // Centred between content left + 10 and content right - 10.
    const int32_t middle = (28 + 10 + (84 + 190 + 84 - 25 - 10)) / 2;
    EXPECT_NEAR((line[2].left + line[3].right) / 2, middle, 1);
}

TEST_F(FramePanelTest, TenLinesAtMost)
{
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) { s.SetFrameStyle(0, 0, 0, 0); });
    for (int i = 0; i < 12; ++i)
        box->AddTextLine("a", P::kLines, 30, 30 + i, 0);
    EXPECT_EQ(box->GetPanel()->LineCount(), 10);
    box->ClearLines();
    EXPECT_EQ(box->GetPanel()->LineCount(), 0);
}

TEST_F(FramePanelTest, PressOutsideTheButtonsSendsTheClickCommandOnce)
{
    class Target : public Widget {
    public:
        void Draw() override { FillRect({0, 0, 40, 20}, 0xFF, true); }
        void OnCreate() override { EnableClicks(true); }
        bool OnLButtonDown(uint32_t, int32_t, int32_t) override
        {
            GetScreen()->OnCommand(77);
            return true;
        }
    };
    Push(100, 100, [](ScriptedPanel& s) {
        s.SetClickCommand(18);
        s.SetFrameStyle(0, 0, 0, 0);
        s.AddWidget(new Target(), 50, 50);
    });
    Click(700, 550);  // outside the frame, anywhere on the screen
    EXPECT_EQ(commands, std::vector<int32_t>{18});
    commands.clear();
    Click(160, 160);
    EXPECT_EQ(commands, std::vector<int32_t>{77});
}

TEST_F(FramePanelTest, TimedTextGoesAfterItsSecondsOfLocalTime)
{
    resources.AddString(170, "abc");
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) { s.SetFrameStyle(0, 0, 0, 0); });
    box->ShowTimedText(48, 100, 170, 3);
    h.Frames(1);
    FramePanel* panel = box->GetPanel();
    EXPECT_TRUE(panel->IsTimedTextShown());
    EXPECT_EQ(Drawn(284).size(), 3u);
    const uint32_t start = panel->GetLocalTime();
    // Cover the box for two seconds: its clock stands still.
    ProbeScreen* cover = h.NewScreen("cover");
    h.manager.PushScreen(cover, true, false, false);
    h.Frames(80);
    h.manager.PopScreens(false, 1);
    h.Frames(1);
    EXPECT_LT(panel->GetLocalTime() - start, 200u);
    for (int frame = 0; frame < 200 && panel->IsTimedTextShown() && panel->GetLocalTime() - start <= 3000; ++frame)
        h.Frames(1);
    EXPECT_FALSE(panel->IsTimedTextShown());
    EXPECT_GT(panel->GetLocalTime() - start, 3000u);
    EXPECT_LE(panel->GetLocalTime() - start, 3000u + 50u);
    h.manager.MarkDirty();
    h.Frames(1);
    EXPECT_TRUE(Drawn(284).empty());
}

TEST_F(FramePanelTest, OrnamentedCornersSparkleBesideTheirOrnaments)
{
    // The won-level box: ornamented top corners; the top edge ends at x 131 + 71 + 71 + 48 + 95.
    static const int32_t kSides[] = {3, 3, 0}, kTop[] = {2, 2, 1, 3, 0}, kBottom[] = {3, 2, 2, 1, 0};
    ScriptedPanel* box = Push(125, 150, [](ScriptedPanel& s) {
        s.SetFrameStyle(P::kOrnamentedCorner, P::kOrnamentedCorner, P::kSmallCorner, P::kSmallCorner);
        s.SetEdgePieces(kSides, kSides, kTop, kBottom);
    });
    FramePanel* panel = box->GetPanel();
    AnimatedSprite* left = panel->LeftSparkle();
    AnimatedSprite* right = panel->RightSparkle();
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_TRUE(left->IsRunning());
    EXPECT_EQ(left->GetFrameCount(), 20);
    EXPECT_NE(left->GetFrame(), 10);  // a wander never starts on its pivot
    const auto sparkles = Drawn(288);
    ASSERT_EQ(sparkles.size(), 2u);
    EXPECT_EQ(sparkles[0], (Rect{125 + 22, 150 + 100, 125 + 44, 150 + 122}));
    const int32_t rightX = 125 + 416 + 87;
    EXPECT_EQ(sparkles[1], (Rect{rightX, 150 + 100, rightX + 22, 150 + 122}));

    // The panel is not kept redrawing, yet the sparkles move on their own.
    EXPECT_FALSE(panel->IsActive());
    std::vector<int32_t> seen{left->GetFrame()};
    for (int i = 0; i < 80; ++i) {
        h.Frames(1);
        if (seen.back() != left->GetFrame())
            seen.push_back(left->GetFrame());
    }
    EXPECT_GE(seen.size(), 10u);
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(std::abs(seen[i] - seen[i - 1]), 1);

    // Covered by another box, the panel's clock and so its sparkles stand still.
    h.manager.PushScreen(h.NewScreen("cover"), true, false, false);
    h.Frames(1);
    const int32_t frozen = left->GetFrame();
    h.Frames(40);
    EXPECT_EQ(left->GetFrame(), frozen);
}

TEST_F(FramePanelTest, PlainCornersHaveNoSparkleAndLosingTheOrnamentStopsIt)
{
    ScriptedPanel* box = Push(0, 0, [](ScriptedPanel& s) { s.SetFrameStyle(P::kLargeCorner, P::kSmallCorner, 1, 0); });
    EXPECT_EQ(box->GetPanel()->LeftSparkle(), nullptr);
    EXPECT_EQ(box->GetPanel()->RightSparkle(), nullptr);
    EXPECT_TRUE(Drawn(288).empty());

    box->SetFrameStyle(P::kLargeCorner, P::kOrnamentedCorner, 1, 0);
    h.Frames(1);
    ASSERT_EQ(Drawn(288).size(), 1u);
    EXPECT_EQ(Drawn(288)[0].left, 84 + 87);
    AnimatedSprite* right = box->GetPanel()->RightSparkle();
    box->SetFrameStyle(P::kLargeCorner, P::kSmallCorner, 1, 0);
    h.Frames(1);
    EXPECT_TRUE(Drawn(288).empty());
    EXPECT_FALSE(right->IsRunning());
    // Choosing the ornament again restarts the same sparkle rather than adding one.
    box->SetFrameStyle(P::kLargeCorner, P::kOrnamentedCorner, 1, 0);
    h.Frames(1);
    EXPECT_EQ(box->GetPanel()->RightSparkle(), right);
    EXPECT_TRUE(right->IsRunning());
    EXPECT_EQ(Drawn(288).size(), 1u);
}

}  // namespace

// The campaign map: hit tests with strict bounds, selection by click, the advance after a win
// with and without a dynasty banner, the end of the campaign, and what it draws.
#include "game/front/CampaignMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/front/CampaignMapHost.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class RecordingMapHost : public CampaignMapHost {
public:
    std::vector<std::string> calls;
    void StartSelectedLevel() override { calls.push_back("start"); }
    void OnCampaignComplete() override { calls.push_back("complete"); }
};

class CampaignMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedProfile = CurrentProfile();
        f.Text(33, "Campaign");
        f.Text(28, "Map");
        f.Text(108, "Welcome");
        f.Text(112, "The %s dynasty is complete");
        f.Fonts({163, 258, 311});
        for (int id : {229, 246, 292, 247, 249, 257, 310, 309}) f.Picture(id, 40, 40);
        f.Picture(248, 800, 24);
        for (int r = 0; r < kMapRegionCount; ++r) f.Picture(MapRegion(r).imageId, 100, 100);
    }
    void TearDown() override { CurrentProfile() = savedProfile; }

    CampaignMap* Open(int completed) {
        CurrentProfile().storyLevelsDone = completed;
        map = new CampaignMap(&host);
        ProbeScreen* screen = f.ui.NewScreen("campaign");
        screen->build = [this](ProbeScreen& s) { s.AddWidget(map, 0, 0); };
        f.ui.manager.PushScreen(screen, false, false, false);
        f.ui.Frames(1);
        return map;
    }
    int Sounds(int id) const {
        std::string line = "PlaySound " + std::to_string(id);
        return static_cast<int>(std::count(f.ui.sound.calls.begin(), f.ui.sound.calls.end(), line));
    }
    void Redraw() {
        f.ui.manager.MarkDirty();
        f.ui.Frames(1);
    }

    PlayerProfile savedProfile;
    FrontHarness f;
    RecordingMapHost host;
    CampaignMap* map = nullptr;
};

}  // namespace

TEST_F(CampaignMapTest, HitsAreStrictlyInsideMarkersAndReachedRegions) {
    Open(0);
    EXPECT_EQ(map->HitTest(72, 69), -1);  // nothing completed: nothing to pick
    EXPECT_EQ(map->GetSelectedLevel(), 0);

    Open(5);
    EXPECT_EQ(map->GetSelectedLevel(), 5);
    // Level 5's marker (173, 167) lies outside every region.
    EXPECT_EQ(map->HitTest(173 - 8, 167), -1);
    EXPECT_EQ(map->HitTest(173 - 7, 167), 5);  // the frontier level
    EXPECT_EQ(map->HitTest(173 + 13, 167 + 13), 5);
    EXPECT_EQ(map->HitTest(173 + 14, 167), -1);
    EXPECT_EQ(map->HitTest(149, 126), 3);
    EXPECT_EQ(map->HitTest(184, 191), -1);  // one beyond it
    EXPECT_EQ(map->HitTest(60, 150), 3);    // inside the first region: its dynasty's first level
    EXPECT_EQ(map->HitTest(42, 150), -1);   // on its edge
    EXPECT_EQ(map->HitTest(150, 250), -1);  // a region not reached yet
}

TEST_F(CampaignMapTest, AClickSelectsAndADoubleClickStarts) {
    Open(5);
    f.ui.manager.OnLButtonDown(0, 149, 126);
    EXPECT_EQ(map->GetSelectedLevel(), 3);
    EXPECT_EQ(Sounds(105), 1);
    EXPECT_TRUE(host.calls.empty());
    f.ui.manager.OnLButtonDblClk(0, 95, 77);
    EXPECT_EQ(map->GetSelectedLevel(), 1);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"start"}));
    EXPECT_FALSE(map->OnLButtonDown(0, 700, 590));
}

TEST_F(CampaignMapTest, TheAdvanceMovesTheRingToTheNextLevel) {
    Open(5);
    map->SetAdvancePending();
    EXPECT_EQ(map->GetSelectedLevel(), 4);
    Redraw();
    auto strip = f.Images(248);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_EQ(strip[0].source.Width(), ProgressStripWidth(4));
    EXPECT_EQ(f.Images(246).size(), 4u);  // completed markers shown: one back

    map->StartAdvance(false, "SHANG");
    EXPECT_EQ(Sounds(381), 1);
    // A press while advancing is taken and changes nothing.
    EXPECT_TRUE(map->OnLButtonDown(0, 72, 69));
    EXPECT_EQ(map->GetSelectedLevel(), 4);
    f.ui.Frames(25);
    EXPECT_TRUE(map->IsAdvancing());
    strip = f.Images(248);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_GT(strip[0].source.Width(), ProgressStripWidth(4));
    EXPECT_LT(strip[0].source.Width(), ProgressStripWidth(5));
    auto ring = f.Images(249);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_GT(ring[0].x + 28, LevelMarker(4).x);
    EXPECT_LT(ring[0].x + 28, LevelMarker(5).x);
    f.ui.Frames(40);
    EXPECT_FALSE(map->IsAdvancing());
    EXPECT_EQ(map->GetSelectedLevel(), 5);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(CampaignMapTest, ADynastysEndHoldsItsBannerBeforeTheAdvance) {
    Open(3);
    map->SetAdvancePending();
    map->StartAdvance(true, "XIA");
    EXPECT_EQ(map->GetBannerText(), "The XIA dynasty is complete");
    EXPECT_EQ(Sounds(380), 1);
    f.ui.Frames(40);
    EXPECT_EQ(map->GetBannerAlpha(), 255);
    EXPECT_EQ(map->GetAdvanceAlpha(), 0);
    f.ui.Frames(110);  // held for three seconds
    EXPECT_EQ(map->GetBannerAlpha(), 255);
    EXPECT_EQ(map->GetAdvanceAlpha(), 0);
    Redraw();
    EXPECT_EQ(f.Images(310).size(), 1u);
    EXPECT_EQ(f.Spelled(311), "TheXIAdynastyiscomplete");
    f.ui.Frames(60);
    EXPECT_EQ(map->GetBannerAlpha(), 0);
    EXPECT_EQ(Sounds(382), 1);
    EXPECT_GT(map->GetAdvanceAlpha(), 0);
    // The first region fades in with the advance.
    auto region = f.Images(MapRegion(0).imageId);
    ASSERT_EQ(region.size(), 1u);
    EXPECT_EQ(region[0].alpha, map->GetAdvanceAlpha());
    EXPECT_TRUE(f.Images(310).empty());
    f.ui.Frames(60);
    EXPECT_FALSE(map->IsAdvancing());
    EXPECT_EQ(map->GetSelectedLevel(), 3);
    EXPECT_EQ(f.Images(MapRegion(0).imageId).size(), 1u);
}

// The map's title leaves the first level's marker and its ring clear.
TEST_F(CampaignMapTest, TheTitleKeepsClearOfTheFirstLevel) {
    Open(0);
    auto title = f.Images(163);
    ASSERT_FALSE(title.empty());
    std::vector<RecordingDisplay::Draw> marks = f.Images(292);
    for (const auto& ring : f.Images(249)) marks.push_back(ring);
    ASSERT_EQ(marks.size(), 2u);
    for (const auto& glyph : title)
        for (const auto& mark : marks) {
            const bool apart =
                glyph.rect.right <= mark.rect.left || mark.rect.right <= glyph.rect.left ||
                glyph.rect.bottom <= mark.rect.top || mark.rect.bottom <= glyph.rect.top;
            EXPECT_TRUE(apart) << "glyph at " << glyph.rect.left << "," << glyph.rect.top;
        }
}

// A long banner text wraps within the banner picture instead of running past its rims.
TEST_F(CampaignMapTest, ADynastysBannerKeepsItsTextOnThePicture) {
    f.Text(112, "You have completed the %s Dynasty, and the long road of the empire now leads "
                "you on into a new and brighter age");
    f.Picture(310, 544, 290);
    Open(3);
    map->SetAdvancePending();
    map->StartAdvance(true, "XIA");
    f.ui.Frames(40);
    Redraw();
    auto banner = f.Images(310);
    ASSERT_EQ(banner.size(), 1u);
    auto glyphs = f.Images(311);
    ASSERT_FALSE(glyphs.empty());
    for (const auto& glyph : glyphs) {
        EXPECT_GT(glyph.rect.left, banner[0].rect.left);
        EXPECT_LT(glyph.rect.right, banner[0].rect.right);
    }
}

TEST_F(CampaignMapTest, TheLastLevelEndsTheCampaignASecondAfterTheAdvance) {
    Open(52);
    EXPECT_EQ(map->GetSelectedLevel(), 51);
    map->SetAdvancePending();
    map->StartAdvance(true, "QING");
    Redraw();
    auto ring = f.Images(249);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0].x, 718);
    EXPECT_EQ(ring[0].y, 176);
    f.ui.Frames(40 + 120 + 40 + 60);
    EXPECT_FALSE(map->IsAdvancing());
    EXPECT_TRUE(host.calls.empty());
    f.ui.Frames(41);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"complete"}));
    f.ui.Frames(60);
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(CampaignMapTest, TheWelcomeBannerShowsBeforeTheFirstLevel) {
    Open(0);
    EXPECT_TRUE(f.Images(257).empty());
    map->StartWelcome();
    f.ui.Frames(10);
    auto banner = f.Images(257);
    ASSERT_EQ(banner.size(), 1u);
    EXPECT_EQ(banner[0].scaleX, 400);
    EXPECT_EQ(banner[0].alpha, map->GetBannerAlpha());
    EXPECT_EQ(f.Spelled(258), "Welcome");
    EXPECT_EQ(f.Images(292).size(), 1u);  // the frontier marker of level 0
    EXPECT_TRUE(f.Images(246).empty());
}

TEST_F(CampaignMapTest, TheRingPulsesEveryFortyFrames) {
    Open(1);
    std::vector<int32_t> alphas;
    for (int i = 0; i < 40; ++i) {
        alphas.push_back(map->RingAlpha());
        f.ui.Frames(1);
    }
    EXPECT_EQ(*std::min_element(alphas.begin(), alphas.end()), 55);
    EXPECT_EQ(*std::max_element(alphas.begin(), alphas.end()), 255);
    EXPECT_EQ(map->RingAlpha(), alphas[0]);
}

#include "game/front/LayoutSlot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "framework/core/DataStream.h"
#include "framework/gfx/Image.h"
#include "game/front/LayoutSlotHost.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/model/TileLayout.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class RecordingHost : public LayoutSlotHost {
public:
    std::vector<std::string> calls;
    void SelectSlot(int slot) override { calls.push_back("select " + std::to_string(slot)); }
    void AskResume(int slot) override { calls.push_back("resume " + std::to_string(slot)); }
};

class LayoutSlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("qm_slot_" + std::to_string(getpid()) + "_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        PlayerFolders::Set((folder.string() + "/").c_str(), "/opt/q/");
        saved = CurrentProfile();
        CurrentProfile() = PlayerProfile(3);
        CurrentProfile().bestTimes.fill(PlayerProfile::kNoTime);

        f.Text(17, "Best %s");
        f.Text(18, "%d tiles, %d free");
        f.Text(19, "%d. %s");
        f.Text(21, "Saved");
        f.Fonts({201, 208});
        for (int id : {188, 195, 369}) f.Picture(id, 203, 153);
        f.Picture(LayoutSlot::kPageImageId, 609, 459);
        slot = new LayoutSlot(4, &host);
        ProbeScreen* screen = f.ui.NewScreen("grid");
        screen->build = [this](ProbeScreen& s) { s.AddWidget(slot, 299, 217); };
        f.ui.manager.PushScreen(screen, false, false, false);
        f.ui.Frames(1);
    }
    void TearDown() override {
        CurrentProfile() = saved;
        std::filesystem::remove_all(folder);
    }

    void Redraw() {
        f.ui.manager.MarkDirty();
        f.ui.Frames(1);
    }

    std::filesystem::path folder;
    PlayerProfile saved;
    FrontHarness f;
    RecordingHost host;
    LayoutSlot* slot = nullptr;
};

}  // namespace

TEST_F(LayoutSlotTest, TheCompletedMarkCoversNoPartOfTheName) {
    f.Picture(369, 70, 40);  // the mark at its real size
    CurrentProfile().bestTimes[4] = 61;
    for (const char* name : {"5. Bridge", "125. Helm of the Fleet at Dawn"}) {
        SCOPED_TRACE(name);
        slot->SetLayout(PageCacheLine{name, 72, 14}, 4);
        ASSERT_TRUE(slot->IsCompleted());
        Redraw();
        ASSERT_EQ(f.Images(369).size(), 1u);
        const Rect mark = f.Images(369)[0].rect;
        const auto glyphs = f.Images(201);
        ASSERT_FALSE(glyphs.empty());
        for (const auto& glyph : glyphs) {
            EXPECT_GE(glyph.rect.left, 299);
            EXPECT_LE(glyph.rect.right + 8, mark.left) << "glyph at " << glyph.rect.left << ".." << glyph.rect.right;
        }
    }
}

TEST_F(LayoutSlotTest, StatusShowsASavedGameOrTheBestTimeOrTheCounts) {
    slot->SetLayout(PageCacheLine{"5. Bridge", 72, 14}, 4);
    EXPECT_EQ(slot->GetState(), LayoutSlot::kFromCache);
    EXPECT_EQ(slot->GetStatus(), "72 tiles, 14 free");
    EXPECT_FALSE(slot->IsCompleted());

    CurrentProfile().bestTimes[4] = 3725;
    slot->UpdateStatus(4);
    EXPECT_TRUE(slot->IsCompleted());
    EXPECT_EQ(slot->GetStatus(), "Best 1:02:05");

    std::ofstream(folder / "3_4.sav") << "x";
    slot->UpdateStatus(4);
    EXPECT_TRUE(slot->HasSavedGame());
    EXPECT_EQ(slot->GetStatus(), "Saved");
    Redraw();
    EXPECT_EQ(f.Images(369).size(), 1u);

    // Another player's files and times are not this player's.
    CurrentProfile() = PlayerProfile(31);
    CurrentProfile().bestTimes.fill(PlayerProfile::kNoTime);
    slot->UpdateStatus(4);
    EXPECT_FALSE(slot->HasSavedGame());
    EXPECT_FALSE(slot->IsCompleted());
    slot->UpdateStatus(999);
    EXPECT_EQ(slot->GetStatus(), "72 tiles, 14 free");
}

TEST_F(LayoutSlotTest, DrawsItsCellOfThePageWithNameAndStatus) {
    slot->SetLayout(PageCacheLine{"AB", 10, 2}, 0);
    Redraw();
    auto frame = f.Images(195);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].x, 299);
    auto cell = f.Images(LayoutSlot::kPageImageId);
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell[0].op, RecordingDisplay::Op::KeyedImage);
    EXPECT_EQ(cell[0].colour, 0xFF00FFu);
    EXPECT_EQ(cell[0].source, (Rect{203, 153, 406, 306}));
    auto name = f.Images(201);
    ASSERT_EQ(name.size(), 2u);
    EXPECT_EQ(name[0].x, 299 + (203 - 16) / 2);
    EXPECT_EQ(name[0].y, 217 + 18 - 12);
    EXPECT_EQ(f.Spelled(208), "10tiles,2free");
    EXPECT_TRUE(f.Images(369).empty());

    slot->SetSelected(true);
    f.ui.Frames(1);
    EXPECT_EQ(f.Images(188).size(), 1u);
    EXPECT_TRUE(f.Images(195).empty());

    slot->Clear();
    Redraw();
    EXPECT_TRUE(f.Images(LayoutSlot::kPageImageId).empty());
    EXPECT_TRUE(f.Images(201).empty());
}

TEST_F(LayoutSlotTest, FilledSlotsTakePressesAndDoubleClicksEmptyOnesDoNot) {
    f.ui.manager.OnLButtonDown(0, 350, 250);
    f.ui.manager.OnLButtonDblClk(0, 350, 250);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(slot->IsSelected());

    slot->SetLayout(PageCacheLine{"AB", 10, 2}, 0);
    f.ui.manager.OnLButtonDown(0, 350, 250);
    f.ui.manager.OnLButtonDblClk(0, 350, 250);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"select 4", "resume 4"}));
    EXPECT_TRUE(slot->IsSelected());
    int clicks = 0;
    for (const auto& call : f.ui.sound.calls) clicks += call == "PlaySound 105";
    EXPECT_EQ(clicks, 2);
}

TEST_F(LayoutSlotTest, RenderingAMiniatureNamesTheSlotAndCountsItsTiles) {
    TileLayout source;
    source.SetName("Pair");
    source.AddTile(0, 0, 0, 0);
    source.AddTile(2, 0, 0, 0);
    source.AddTile(1, 0, 1, 0);
    DataStream stream;
    stream.OpenWriteMemory();
    source.SerializeLayout(&stream);
    auto written = stream.Written();
    f.assets.Add(kLayoutsType, 437 + 13, std::vector<uint8_t>(written.begin(), written.end()));

    Image page;
    ASSERT_TRUE(page.CreateBlank(609, 459));
    page.Fill(0x00FF00FF);
    ASSERT_TRUE(slot->RenderPreview(&page, nullptr, nullptr, 13));
    EXPECT_EQ(slot->GetState(), LayoutSlot::kBuilt);
    EXPECT_EQ(slot->GetName(), "14. Pair");
    EXPECT_EQ(slot->GetInfo().tiles, 3);
    EXPECT_EQ(slot->GetInfo().freeTiles, 1);
    EXPECT_EQ(slot->GetStatus(), "3 tiles, 1 free");
    Redraw();
    int pageDraws = 0;
    for (const auto& draw : f.ui.display.LastFrame()) {
        if (draw.image == &page) {
            ++pageDraws;
            EXPECT_EQ(draw.source, (Rect{203, 153, 406, 306}));
            EXPECT_EQ(draw.x, 299);
        }
    }
    EXPECT_EQ(pageDraws, 1);

    // A layout that does not load leaves the slot empty.
    EXPECT_FALSE(slot->RenderPreview(&page, nullptr, nullptr, 14));
    EXPECT_EQ(slot->GetState(), LayoutSlot::kEmpty);
    EXPECT_FALSE(slot->RenderPreview(&page, nullptr, nullptr, 126));
}

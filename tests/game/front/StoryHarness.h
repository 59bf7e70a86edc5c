#pragma once
// The story campaign on the UI harness: every level's layout (four plain tiles, all free, so two
// matches win it), the level table, the texts the campaign shows, and a scratch player folder of
// the test's own, so test cases can run side by side.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/model/TileLayout.h"
#include "game/play/Board.h"
#include "game/play/PlayScreen.h"
#include "tests/game/front/FrontHarness.h"

class StoryHarness : public FrontHarness {
public:
    static constexpr int32_t kPlayerId = 12;

    StoryHarness() {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = testing::TempDir() + "story-" + std::to_string(getpid()) + "-" +
                  test->test_suite_name() + "-" + test->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        savedProfile_ = CurrentProfile();
        CurrentProfile() = PlayerProfile(kPlayerId);
        CurrentProfile().name = String("Ann");
        CurrentProfile().firstGameTip = true;

        std::vector<uint8_t> layout = FourTileLayout();
        std::string table;
        for (int level = 0; level < kStoryLevelCount; ++level) {
            assets.Add("LAYOUTS", static_cast<uint32_t>(StoryLayoutId(level)), layout);
            table += std::to_string(10 + level) + "\t" + std::to_string(1000 + level) +
                     "\tCaption " + std::to_string(level) + "\r\n";
        }
        assets.Add(kTextType, 383, table);
        Text(32, "%s era");
        Text(112, "%s is complete");
        Text(109, "Menu");
        Text(110, "Play");
        Text(111, "Timeline");
        Fonts({160, 163, 258, 311});
        // The map picture makes the whole map answer clicks; the buttons have frames to press.
        Picture(229, 800, 600);
        Picture(228, 504, 44);
        Picture(230, 512, 44);
        Picture(364, 480, 44);
    }
    ~StoryHarness() {
        for (int level = 0; level < kStoryLevelCount; ++level) {
            std::remove(CurrentProfile().MakeSaveFileNameD(level).CStr());
        }
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
        CurrentProfile() = savedProfile_;
    }

    bool SavedGameExists(int level) const {
        FILE* file = std::fopen(CurrentProfile().MakeSaveFileNameD(level).CStr(), "rb");
        if (file) std::fclose(file);
        return file != nullptr;
    }

    // Matches the first free pair through the board's own click handler; false when none is left.
    static bool MatchOnePair(PlayScreen* play) {
        Board* board = play->GetBoard();
        TileLayout& layout = board->Layout();
        for (int i = 0; i < layout.Count(); ++i) {
            for (int j = i + 1; j < layout.Count(); ++j) {
                Tile* a = layout.TileAt(i);
                Tile* b = layout.TileAt(j);
                if (!a->OnBoard() || !b->OnBoard() || !SameKind(a->kind, b->kind)) continue;
                for (const Tile* tile : {a, b}) {
                    board->OnLButtonDown(0, tile->screenRect.left + board->OffsetX() + 20,
                                         tile->screenRect.top + board->OffsetY() + 20);
                }
                return true;
            }
        }
        return false;
    }

private:
    static std::vector<uint8_t> FourTileLayout() {
        TileLayout layout;
        layout.SetName(String("Four"));
        for (int i = 0; i < 4; ++i) layout.AddTile(4 * i, 0, 0, 0);
        DataStream stream;
        stream.OpenWriteMemory();
        layout.SerializeLayout(&stream);
        return {stream.Written().begin(), stream.Written().end()};
    }

    std::string folder_;
    PlayerProfile savedProfile_;
};

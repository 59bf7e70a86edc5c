// Every sample and music module as packed: samples parse, modules load in the tracker player,
// and the story track's orders jump where the game's section changes expect them to.
#include <gtest/gtest.h>

#include <xmp.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "platform/WavParser.h"
#include "tests/assets/BuiltPack.h"

namespace {

const uint32_t kSampleIds[] = {105, 174, 175, 176, 340, 347, 348, 349, 350, 351, 352,
                               373, 375, 376, 377, 378, 379, 380, 381, 382};
const uint32_t kMusicIds[] = {335, 336, 337, 338, 339};

// Effect numbers the player keeps for tracker modules.
constexpr unsigned char kPositionJump = 0x0B;
constexpr unsigned char kPatternBreak = 0x0D;

struct ContextDeleter {
  void operator()(char* context) const {
    if (xmp_get_player(context, XMP_PLAYER_STATE) != XMP_STATE_UNLOADED) xmp_release_module(context);
    xmp_free_context(context);
  }
};
using Player = std::unique_ptr<char, ContextDeleter>;

// Loads music `id` into a new player and reads its module info; false when any step fails.
bool LoadModule(Player& player, uint32_t id, xmp_module_info& info) {
  player.reset(xmp_create_context());
  ResourceModule::Bytes bytes = BuiltPack()->Find(kWaveType, id);
  if (!player || bytes.empty() ||
      xmp_load_module_from_memory(player.get(), bytes.data(), long(bytes.size())) != 0)
    return false;
  xmp_get_module_info(player.get(), &info);
  return true;
}

// The first row of the order's pattern that leaves it, and where to: -1 for a break (next
// order), the target order for a jump. A pattern played to its end answers row -1.
struct OrderExit {
  int row = -1;
  int target = -1;
};

OrderExit ExitOf(const xmp_module& mod, int order) {
  OrderExit exit;
  const xmp_pattern* pattern = mod.xxp[mod.xxo[order]];
  for (int row = 0; row < pattern->rows; ++row) {
    for (int channel = 0; channel < mod.chn; ++channel) {
      const xmp_track* track = mod.xxt[pattern->index[channel]];
      if (row >= track->rows) continue;
      const xmp_event& event = track->event[row];
      for (auto [type, param] : {std::pair{event.fxt, event.fxp}, std::pair{event.f2t, event.f2p}}) {
        if (type == kPositionJump) {
          exit.row = row;
          exit.target = param;
        } else if (type == kPatternBreak && exit.row != row) {
          exit.row = row;
          exit.target = -1;
        }
      }
    }
    if (exit.row >= 0) return exit;
  }
  return exit;
}

}  // namespace

TEST(PackSounds, EverySampleParses) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : kSampleIds) {
    ResourceModule::Bytes bytes = BuiltPack()->Find(kWaveType, id);
    ASSERT_FALSE(bytes.empty()) << "sample " << id;
    WavSound sound;
    EXPECT_EQ(ParseWav(bytes.data(), bytes.size(), sound), WavStatus::Ok) << "sample " << id;
    EXPECT_GT(sound.Frames(), 0) << "sample " << id;
  }
}

// Every button clicks: a long sound would lag behind fast clicking.
TEST(PackSounds, ClickIsShort) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  ResourceModule::Bytes bytes = BuiltPack()->Find(kWaveType, 105);
  WavSound sound;
  ASSERT_EQ(ParseWav(bytes.data(), bytes.size(), sound), WavStatus::Ok);
  EXPECT_LT(sound.Frames() * 10, int64_t(sound.sampleRate));
}

TEST(PackSounds, EveryMusicModuleLoads) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : kMusicIds) {
    Player player;
    xmp_module_info info;
    ASSERT_TRUE(LoadModule(player, id, info)) << "music " << id;
    ASSERT_NE(info.mod, nullptr);
    EXPECT_GT(info.mod->len, 0) << "music " << id;
    EXPECT_GT(info.mod->ins, 0) << "music " << id;
  }
}

// Theme A loops at the end of order 6, the exit-tile tension at the end of order 11, theme B
// at the end of the last order back to 13; every other order runs on into the next.
TEST(PackSounds, StoryMusicJumpsBetweenItsSections) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  Player player;
  xmp_module_info info;
  ASSERT_TRUE(LoadModule(player, 339, info));
  ASSERT_NE(info.mod, nullptr);
  const xmp_module& mod = *info.mod;
  ASSERT_GE(mod.len, 14);
  const int last = mod.len - 1;
  for (int order = 0; order < mod.len; ++order) {
    ASSERT_LT(mod.xxo[order], mod.pat) << "order " << order;
    const int rows = mod.xxp[mod.xxo[order]]->rows;
    EXPECT_EQ(rows % 4, 0) << "order " << order << ": jumps wait for a row multiple of 4";
    OrderExit exit = ExitOf(mod, order);
    int expected = order == 6 ? 0 : order == 11 ? 7 : order == last ? 13 : -2;
    if (expected >= 0) {
      EXPECT_EQ(exit.row, rows - 1) << "order " << order << " must end in its jump";
      EXPECT_EQ(exit.target, expected) << "order " << order;
    } else {
      EXPECT_EQ(exit.row, -1) << "order " << order << " leaves early (target " << exit.target << ")";
    }
  }
}

// A track that comes round again every half minute wears thin within one game: each track,
// and each section the story track loops in, plays two minutes before it repeats.
TEST(PackSounds, EveryMusicLoopLastsTwoMinutes) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : kMusicIds) {
    Player player;
    xmp_module_info info;
    ASSERT_TRUE(LoadModule(player, id, info)) << "music " << id;
    ASSERT_GT(info.num_sequences, 0) << "music " << id;
    for (int s = 0; s < info.num_sequences; ++s) {
      EXPECT_GE(info.seq_data[s].duration, 120000)
          << "music " << id << " from order " << info.seq_data[s].entry_point;
    }
  }
}

#pragma once
// The deal of every story level, read from the level table text of the asset module: one line
// per level, "percent<TAB>seed<TAB>caption".
#include <array>
#include <cstdint>

#include "framework/core/String.h"
#include "game/model/CampaignTables.h"

class TextResource;

struct StoryLevelRecord {
    // Deals whose seed is this are seeded from the clock.
    static constexpr uint32_t kClockSeed = 0xFFFFFFFFu;

    int32_t percent = 0;
    uint32_t seed = kClockSeed;
    String caption;  // the level result dialog's line
};

class StoryLevelTable {
public:
    static constexpr int32_t kTextId = 383;

    // Fills the records in line order from level 0, skipping empty lines and ignoring lines
    // beyond the 52nd; levels without a line keep a clock-seeded deal. Answers how many lines
    // were taken.
    int Load(const TextResource& text);
    // The text of the asset module.
    int LoadFromAssets();

    // Level 0..51; other values give the nearest level's record.
    const StoryLevelRecord& At(int level) const;

private:
    std::array<StoryLevelRecord, kStoryLevelCount> records_;
};

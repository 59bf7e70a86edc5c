#pragma once
// The rules every layout of the game keeps, checked when the layouts are compiled: what the
// loader, the board, the free-play miniatures and the dealer rely on.
#include <string>
#include <vector>

class TileLayout;

struct LayoutRules {
    static constexpr int kMaxTiles = 144;
    static constexpr int kMaxNameLength = 20;
    static constexpr int kBoardWidth = 800;
    static constexpr int kBoardHeight = 452;
    static constexpr int kCellWidth = 203;
    static constexpr int kCellHeight = 153;
    static constexpr int kStoryLevels = 52;
    // Removals, taken one tile at a time, before either exit tile is free: an exit pair found
    // free would win the level with its first click.
    static constexpr int kEarlyLevels = 2;
    static constexpr int kEarlyExitDepth = 4;
    static constexpr int kExitDepth = 8;
};

// Faults of any layout: order, overlaps, kinds, counts, fit and name. Empty when it is sound.
std::vector<std::string> CheckLayout(const TileLayout& layout);

// Faults of a story level's layout on top of CheckLayout: its one exit pair, buried deep enough,
// and the special tiles the tutorial of that level shows.
std::vector<std::string> CheckStoryLayout(const TileLayout& layout, int level);

// Faults of a free-play layout on top of CheckLayout: it presets no kinds.
std::vector<std::string> CheckFreePlayLayout(const TileLayout& layout);

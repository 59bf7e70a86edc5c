#pragma once
// The story campaign's constant tables: 52 levels in 11 dynasties (3, 4, then nine of 5), the
// dynasties' names and years, the layout each level plays, and the map's geometry (the regions
// that open with each dynasty, a marker per level, the progress strip's widths).
#include <cstdint>

#include "framework/gfx/Rect.h"

inline constexpr int kStoryLevelCount = 52;
inline constexpr int kDynastyCount = 11;
// Free-play layout i is layout resource 437 + i; story level L plays 385 + L.
inline constexpr int kFreeLayoutCount = 126;
inline constexpr int kFirstStoryLayoutId = 385;
inline constexpr int kFirstFreeLayoutId = 437;

struct DynastySlot {
    int dynasty = 0;  // 0..10; 11 for the count of levels when all 52 are done
    int index = 0;    // the level's place within its dynasty
    int count = 0;    // levels of the dynasty
};

struct MapPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct DynastyRegion {
    Rect rect;
    int32_t imageId = 0;
};

// Level L from 0; values outside 0..52 are taken to the nearest end.
DynastySlot LevelToDynasty(int level);
bool IsLastLevelOfDynasty(int level);
// The dynasty being played with `completedLevels` done (11 once all 52 are).
int CurrentDynasty(int completedLevels);
// The first level of dynasty d for d 0..10, and 52 for d 11 (the campaign's end).
int DynastyFirstLevel(int dynasty);
// "XIA" to "QING"; the empty text outside 0..10.
const char* DynastyName(int dynasty);
// Years from and to, negative before the common era; 0 outside 0..10.
int DynastyFromYear(int dynasty);
int DynastyToYear(int dynasty);
int StoryLayoutId(int level);
// Layout resource of free-play layout `index`, 0 outside 0..125.
int FreeLayoutResourceId(int index);

// Region i opens on the way into dynasty i + 1 (region 10: the campaign's end).
const DynastyRegion& MapRegion(int region);
inline constexpr int kMapRegionCount = 11;
const MapPoint& LevelMarker(int level);
// The strip's width with `completedLevels` (0..52) done.
int32_t ProgressStripWidth(int completedLevels);

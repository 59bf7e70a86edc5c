#include "game/model/CampaignTables.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, kDynastyCount + 1> kFirstLevels = {0,  3,  7,  12, 17, 22,
                                                              27, 32, 37, 42, 47, 52};

constexpr std::array<const char*, kDynastyCount> kNames = {
    "XIA", "SHANG", "ZHOU", "QIN", "HAN", "SUI", "T'ANG", "SONG", "YUAN", "MING", "QING"};

constexpr std::array<std::array<int, 2>, kDynastyCount> kYears = {{{-2000, -1500},
                                                                    {-1500, -1045},
                                                                    {-1045, -221},
                                                                    {-221, -207},
                                                                    {-206, 220},
                                                                    {589, 617},
                                                                    {618, 907},
                                                                    {960, 1279},
                                                                    {1279, 1368},
                                                                    {1368, 1644},
                                                                    {1644, 1912}}};

const std::array<DynastyRegion, kMapRegionCount> kRegions = {{{{42, 83, 152, 165}, 244},
                                                               {{120, 202, 213, 302}, 240},
                                                               {{190, 338, 272, 450}, 235},
                                                               {{265, 489, 352, 571}, 238},
                                                               {{313, 349, 446, 447}, 236},
                                                               {{352, 191, 488, 294}, 242},
                                                               {{428, 49, 560, 133}, 243},
                                                               {{500, 269, 627, 341}, 241},
                                                               {{586, 450, 659, 562}, 245},
                                                               {{662, 294, 747, 402}, 237},
                                                               {{651, 61, 788, 205}, 239}}};

const std::array<MapPoint, kStoryLevelCount> kMarkers = {{
    {72, 69},   {94, 76},   {114, 88},  {148, 125}, {161, 145}, {173, 167}, {184, 191},
    {208, 253}, {214, 275}, {219, 297}, {223, 319}, {227, 342}, {237, 451}, {239, 468},
    {243, 486}, {250, 503}, {262, 517}, {350, 522}, {365, 507}, {374, 486}, {380, 466},
    {383, 447}, {391, 368}, {393, 349}, {395, 329}, {397, 311}, {399, 293}, {419, 186},
    {424, 167}, {432, 150}, {442, 134}, {455, 120}, {547, 137}, {555, 166}, {560, 197},
    {562, 227}, {562, 257}, {561, 349}, {562, 377}, {566, 406}, {572, 434}, {581, 461},
    {660, 490}, {679, 473}, {690, 452}, {699, 429}, {706, 405}, {724, 319}, {729, 291},
    {735, 263}, {740, 234}, {746, 204},
}};

constexpr std::array<int32_t, kStoryLevelCount + 1> MakeStripWidths() {
    std::array<int32_t, kStoryLevelCount + 1> widths = {22, 44, 66, 87, 103, 120, 136, 153};
    for (int i = 8; i <= 31; ++i) widths[i] = 166 + 13 * (i - 8);
    widths[32] = 479;
    for (int i = 33; i <= 51; ++i) widths[i] = 492 + 13 * (i - 33);
    widths[52] = 761;
    return widths;
}

constexpr std::array<int32_t, kStoryLevelCount + 1> kStripWidths = MakeStripWidths();

bool IsDynasty(int dynasty) {
    return dynasty >= 0 && dynasty < kDynastyCount;
}

}  // namespace

DynastySlot LevelToDynasty(int level) {
    level = std::clamp(level, 0, kStoryLevelCount);
    if (level < 3) return {0, level, 3};
    if (level < 7) return {1, level - 3, 4};
    return {2 + (level - 7) / 5, (level - 7) % 5, 5};
}

bool IsLastLevelOfDynasty(int level) {
    return level == 2 || level == 6 || (level >= 7 && (level - 7) % 5 == 4);
}

int CurrentDynasty(int completedLevels) {
    return LevelToDynasty(completedLevels).dynasty;
}

int DynastyFirstLevel(int dynasty) {
    return kFirstLevels[std::clamp(dynasty, 0, kDynastyCount)];
}

const char* DynastyName(int dynasty) {
    return IsDynasty(dynasty) ? kNames[dynasty] : "";
}

int DynastyFromYear(int dynasty) {
    return IsDynasty(dynasty) ? kYears[dynasty][0] : 0;
}

int DynastyToYear(int dynasty) {
    return IsDynasty(dynasty) ? kYears[dynasty][1] : 0;
}

int StoryLayoutId(int level) {
    return kFirstStoryLayoutId + std::clamp(level, 0, kStoryLevelCount - 1);
}

int FreeLayoutResourceId(int index) {
    return index >= 0 && index < kFreeLayoutCount ? kFirstFreeLayoutId + index : 0;
}

const DynastyRegion& MapRegion(int region) {
    return kRegions[std::clamp(region, 0, kMapRegionCount - 1)];
}

const MapPoint& LevelMarker(int level) {
    return kMarkers[std::clamp(level, 0, kStoryLevelCount - 1)];
}

int32_t ProgressStripWidth(int completedLevels) {
    return kStripWidths[std::clamp(completedLevels, 0, kStoryLevelCount)];
}

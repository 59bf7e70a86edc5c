#include "game/model/CampaignTables.h"

#include <gtest/gtest.h>

#include <string>

TEST(CampaignTables, DynastiesPartitionTheFiftyTwoLevels) {
    int expectedIndex = 0;
    int dynasty = 0;
    for (int level = 0; level < kStoryLevelCount; ++level) {
        DynastySlot slot = LevelToDynasty(level);
        if (slot.dynasty != dynasty) {
            ASSERT_EQ(slot.dynasty, dynasty + 1) << "level " << level;
            EXPECT_TRUE(IsLastLevelOfDynasty(level - 1)) << "level " << level - 1;
            EXPECT_EQ(expectedIndex, LevelToDynasty(level - 1).count);
            dynasty = slot.dynasty;
            expectedIndex = 0;
            EXPECT_EQ(DynastyFirstLevel(dynasty), level);
        } else if (level > 0) {
            EXPECT_FALSE(IsLastLevelOfDynasty(level - 1)) << "level " << level - 1;
        }
        EXPECT_EQ(slot.index, expectedIndex) << "level " << level;
        ++expectedIndex;
    }
    EXPECT_EQ(dynasty, kDynastyCount - 1);
    EXPECT_TRUE(IsLastLevelOfDynasty(51));
    EXPECT_EQ(LevelToDynasty(0).count, 3);
    EXPECT_EQ(LevelToDynasty(5).count, 4);
    EXPECT_EQ(LevelToDynasty(40).count, 5);
    EXPECT_EQ(DynastyFirstLevel(11), 52);
}

TEST(CampaignTables, CurrentDynastyCountsReachedDynasties) {
    EXPECT_EQ(CurrentDynasty(0), 0);
    EXPECT_EQ(CurrentDynasty(2), 0);
    EXPECT_EQ(CurrentDynasty(3), 1);
    EXPECT_EQ(CurrentDynasty(7), 2);
    EXPECT_EQ(CurrentDynasty(51), 10);
    EXPECT_EQ(CurrentDynasty(52), 11);  // every dynasty done
    EXPECT_EQ(CurrentDynasty(500), 11);
    EXPECT_EQ(CurrentDynasty(-3), 0);
}

TEST(CampaignTables, NamesYearsAndLayoutsStayInRange) {
    EXPECT_EQ(std::string(DynastyName(0)), "XIA");
    EXPECT_EQ(std::string(DynastyName(6)), "T'ANG");
    EXPECT_EQ(std::string(DynastyName(10)), "QING");
    EXPECT_EQ(std::string(DynastyName(11)), "");
    EXPECT_EQ(std::string(DynastyName(-1)), "");
    for (int d = 0; d < kDynastyCount; ++d) {
        EXPECT_LT(DynastyFromYear(d), DynastyToYear(d)) << d;
        if (d > 0) {
            EXPECT_LE(DynastyToYear(d - 1), DynastyFromYear(d)) << d;
        }
    }
    EXPECT_EQ(DynastyFromYear(0), -2000);
    EXPECT_EQ(DynastyToYear(10), 1912);
    EXPECT_EQ(DynastyFromYear(11), 0);
    EXPECT_EQ(StoryLayoutId(0), 385);
    EXPECT_EQ(StoryLayoutId(51), 436);
    EXPECT_EQ(StoryLayoutId(52), 436);
    EXPECT_EQ(FreeLayoutResourceId(0), 437);
    EXPECT_EQ(FreeLayoutResourceId(125), 562);
    EXPECT_EQ(FreeLayoutResourceId(126), 0);
    EXPECT_EQ(FreeLayoutResourceId(-1), 0);
}

TEST(CampaignTables, MapGeometryLiesOnTheMapAndTheStripGrows) {
    for (int level = 0; level < kStoryLevelCount; ++level) {
        const MapPoint& p = LevelMarker(level);
        EXPECT_TRUE(p.x > 0 && p.x < 800 && p.y > 0 && p.y < 600) << level;
    }
    EXPECT_EQ(LevelMarker(0).x, 72);
    EXPECT_EQ(LevelMarker(51).y, 204);
    EXPECT_EQ(LevelMarker(99).x, LevelMarker(51).x);
    for (int r = 0; r < kMapRegionCount; ++r) {
        const DynastyRegion& region = MapRegion(r);
        EXPECT_FALSE(region.rect.IsEmpty()) << r;
        EXPECT_GE(region.imageId, 235);
        EXPECT_LE(region.imageId, 245);
    }
    for (int c = 1; c <= kStoryLevelCount; ++c) {
        EXPECT_GT(ProgressStripWidth(c), ProgressStripWidth(c - 1)) << c;
    }
    EXPECT_EQ(ProgressStripWidth(0), 22);
    EXPECT_EQ(ProgressStripWidth(8), 166);
    EXPECT_EQ(ProgressStripWidth(31), 465);
    EXPECT_EQ(ProgressStripWidth(32), 479);
    EXPECT_EQ(ProgressStripWidth(33), 492);
    EXPECT_EQ(ProgressStripWidth(51), 726);
    EXPECT_EQ(ProgressStripWidth(52), 761);
    EXPECT_EQ(ProgressStripWidth(60), 761);
}

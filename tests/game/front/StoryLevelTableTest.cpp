#include "game/front/StoryLevelTable.h"

#include <gtest/gtest.h>

#include <string_view>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/core/TextResource.h"

namespace {

StoryLevelTable Parse(std::string_view text, int* taken) {
    MemoryResources module;
    module.Add(kTextType, StoryLevelTable::kTextId, text);
    TextResource resource;
    StoryLevelTable table;
    *taken = resource.Open(StoryLevelTable::kTextId, TextResource::kAnsi, &module)
                 ? table.Load(resource)
                 : -1;
    return table;
}

}  // namespace

TEST(StoryLevelTable, FieldsComeFromTabSeparatedLinesInOrder) {
    int taken = 0;
    StoryLevelTable table =
        Parse("85\t1000\tYu tames the flood\r\n\r\n-5\t4294967295\tClock\tignored\n40\t7\n", &taken);
    EXPECT_EQ(taken, 3);
    EXPECT_EQ(table.At(0).percent, 85);
    EXPECT_EQ(table.At(0).seed, 1000u);
    EXPECT_EQ(table.At(0).caption, "Yu tames the flood");
    EXPECT_EQ(table.At(1).percent, -5);
    EXPECT_EQ(table.At(1).seed, StoryLevelRecord::kClockSeed);
    EXPECT_EQ(table.At(1).caption, "Clock");
    EXPECT_EQ(table.At(2).seed, 7u);
    EXPECT_EQ(table.At(2).caption, "");
    // Levels without a line deal from the clock.
    EXPECT_EQ(table.At(3).seed, StoryLevelRecord::kClockSeed);
    EXPECT_EQ(table.At(3).percent, 0);
    EXPECT_EQ(table.At(-4).caption, table.At(0).caption);
}

TEST(StoryLevelTable, LinesBeyondTheLastLevelAndGarbageAreSafe) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += std::to_string(i) + "\t" + std::to_string(i * 2) + "\tL\n";
    int taken = 0;
    StoryLevelTable table = Parse(text, &taken);
    EXPECT_EQ(taken, kStoryLevelCount);
    EXPECT_EQ(table.At(51).percent, 51);
    EXPECT_EQ(table.At(99).percent, 51);

    table = Parse("many\tnumbers\n\t\t\t\n", &taken);
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(table.At(0).percent, 0);
    EXPECT_EQ(table.At(0).seed, 0u);

    EXPECT_EQ(StoryLevelTable().LoadFromAssets(), 0);  // no asset module
}

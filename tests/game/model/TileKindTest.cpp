#include "game/model/TileKind.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    TileKind first;
    TileKind second;
    bool matches;
};

TEST(TileKind, MatchRulesAreOneWay)
{
    const MatchCase cases[] = {
        {5, 5, true},    {5, 6, false},   {14, 5, false},
        {44, 45, true},  {45, 44, false}, {44, 44, false}, {44, 12, false}, {45, 45, false},
        {43, 43, true},  {43, 1, false},  {1, 43, false},
        {46, 5, true},   {5, 46, false},  {12, 46, false}, {46, 42, true},  {46, 43, false},
        {47, 42, true},  {47, 43, false}, {47, 44, false}, {46, 47, false}, {47, 1, true},
        {35, 38, true},  {36, 38, true},  {36, 39, false}, {39, 42, true},  {42, 35, false},
        {0, 0, true},    {0, 5, false},
    };
    for (const MatchCase& c : cases)
        EXPECT_EQ(TilesMatch(c.first, c.second), c.matches) << c.first << " then " << c.second;
}

TEST(TileKind, AnExitTakesOnlyTheOtherExit)
{
    for (TileKind kind = kKindUndealt; kind <= kKindLast; ++kind)
        EXPECT_EQ(TilesMatch(kKindExit, kind), kind == kKindExit) << kind;
}

TEST(TileKind, SameKindFoldsSeasonsAndFlowers)
{
    EXPECT_TRUE(SameKind(0, 0));
    EXPECT_FALSE(SameKind(0, 1));
    EXPECT_TRUE(SameKind(35, 38));
    EXPECT_TRUE(SameKind(39, 42));
    EXPECT_FALSE(SameKind(38, 39));
    EXPECT_FALSE(SameKind(34, 35));
    EXPECT_TRUE(SameKind(27, 27));
    EXPECT_EQ(FoldKind(37), 35);
    EXPECT_EQ(FoldKind(41), 39);
    EXPECT_EQ(FoldKind(43), 43);
}

TEST(TileKind, ScoresFollowRankAndClass)
{
    const std::pair<TileKind, int> cases[] = {
        {0, 0},    {1, 5},    {9, 45},   {10, 5},   {18, 45},  {19, 5},   {27, 45},
        {28, 50},  {34, 50},  {35, 100}, {42, 100}, {43, 1000}, {44, 0},  {45, 0},
        {46, 0},   {47, 0},   {48, 0},   {-1, 0},
    };
    for (const auto& [kind, points] : cases)
        EXPECT_EQ(TileScore(kind), points) << kind;
}

}  // namespace

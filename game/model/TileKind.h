#pragma once
// Tile kinds and the rules that depend on kinds alone.
#include <cstdint>

// 0 not dealt, 1-27 three suits of nine, 28-34 honours, 35-38 seasons, 39-42 flowers,
// 43 exit tile, 44 and 45 the complementary pair, 46 and 47 wild tiles.
using TileKind = int32_t;

constexpr TileKind kKindUndealt = 0;
constexpr TileKind kKindFirstSeason = 35;
constexpr TileKind kKindFirstFlower = 39;
constexpr TileKind kKindLastFlower = 42;
constexpr TileKind kKindExit = 43;
constexpr TileKind kKindComplementFirst = 44;
constexpr TileKind kKindComplementSecond = 45;
constexpr TileKind kKindWildAll = 46;
constexpr TileKind kKindWildOne = 47;
constexpr TileKind kKindLast = 47;

constexpr bool IsSeason(TileKind kind) { return kind >= kKindFirstSeason && kind < kKindFirstFlower; }
constexpr bool IsFlower(TileKind kind) { return kind >= kKindFirstFlower && kind <= kKindLastFlower; }
constexpr bool IsWild(TileKind kind) { return kind == kKindWildAll || kind == kKindWildOne; }

// Seasons and flowers fold onto their first kind; everything else stays as it is.
constexpr TileKind FoldKind(TileKind kind)
{
    return IsSeason(kind) ? kKindFirstSeason : IsFlower(kind) ? kKindFirstFlower : kind;
}

// Both seasons, both flowers, or equal (two undealt tiles are of the same kind).
bool SameKind(TileKind a, TileKind b);

// Whether `second`, clicked now, matches `first`, selected earlier. One-way: a 44 takes a 45,
// and a wild takes any ordinary kind, only when selected first.
bool TilesMatch(TileKind first, TileKind second);

// Points of one tile of the kind.
int TileScore(TileKind kind);

#include "game/model/TileKind.h"

bool SameKind(TileKind a, TileKind b)
{
    return (IsSeason(a) && IsSeason(b)) || (IsFlower(a) && IsFlower(b)) || a == b;
}

bool TilesMatch(TileKind first, TileKind second)
{
    if (first == kKindComplementFirst && second == kKindComplementSecond)
        return true;
    if (first == kKindExit)
        return second == kKindExit;
    if (second >= kKindExit)
        return false;
    if (IsWild(first))
        return true;
    return SameKind(first, second);
}

int TileScore(TileKind kind)
{
    if (kind >= 1 && kind <= 27)
        return ((kind - 1) % 9 + 1) * 5;
    if (kind >= 28 && kind <= 34)
        return 50;
    if (kind >= kKindFirstSeason && kind <= kKindLastFlower)
        return 100;
    if (kind == kKindExit)
        return 1000;
    return 0;
}

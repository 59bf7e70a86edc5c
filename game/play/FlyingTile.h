#pragma once
// A tile image moving in a straight line over a fixed time: tiles flying to the tray, back from
// it, or holding still as an effect. Coordinates are board coordinates with the centring applied.
#include <algorithm>
#include <cstdint>

#include "game/model/TileKind.h"

class Tile;

struct FlyingTile {
    Tile* tile = nullptr;  // the tile whose move this is; none for pure effects
    TileKind kind = kKindUndealt;
    int startX = 0;
    int startY = 0;
    int targetX = 0;
    int targetY = 0;
    int duration = 0;   // milliseconds
    int remaining = 0;  // milliseconds; below 0 once the flight is over

    // Where the flight is now; a flight past its end stays at its target.
    int X() const { return startX + (targetX - startX) * Elapsed() / std::max(duration, 1); }
    int Y() const { return startY + (targetY - startY) * Elapsed() / std::max(duration, 1); }
    int Elapsed() const { return std::clamp(duration - remaining, 0, std::max(duration, 0)); }
};

#pragma once
// One tile of a layout: its place on the half-tile grid, its kind and the marks that the board,
// the dealer and the hints keep on it during a game.
#include <cstdint>

#include "game/model/TileKind.h"

class DataStream;

// A rectangle in board coordinates; right and bottom lie outside it.
struct TileRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    bool Contains(int px, int py) const { return px >= left && px < right && py >= top && py < bottom; }
};

class Tile {
public:
    Tile() = default;
    Tile(int x, int y, int z, TileKind kind) : x(x), y(y), z(z), kind(kind) {}
    virtual ~Tile() = default;

    // The board-state transfer: x, y, z, kind as signed bytes, then removedAt as a signed
    // 16-bit number.
    virtual void SerializeState(DataStream* stream);
    // The layout-resource transfer: x, y, z, kind as signed bytes.
    virtual void SerializeLayout(DataStream* stream);

    bool OnBoard() const { return removedAt == 0; }

    int32_t x = 0;  // column on the half-tile grid; neighbours on one layer are 2 apart
    int32_t y = 0;  // row on the half-tile grid
    int32_t z = 0;  // layer, 0 at the bottom
    TileKind kind = kKindUndealt;
    bool fixed = false;   // the kind is preset by the layout
    int32_t removedAt = 0;    // 0 on the board, else the move that removed it
    Tile* link = nullptr; // on a tile that a wild absorbed: that wild
    TileRect screenRect;
    int startX = 0;
    int startY = 0;
    bool free = false;    // the free test as last computed
    bool wobble = false;  // shaking as a hint
    int wobbleStart = 0;
    int group = 0;        // dealer's group: 0 none, -1 a preset tile
    bool quad = false;    // dealer's mark: this pair made its group four of a kind
};

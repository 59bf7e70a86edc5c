#pragma once
// Where a tip about one tile opens: beside the tile, inside the window and below the bar.

// The clicked tile and the board, in screen coordinates but for `tileTop`, which is the tile's
// rectangle top in board coordinates (the board's centring offset is given apart).
struct TipAnchor {
    int drawnLeft = 0;
    int drawnRight = 0;
    int tileTop = 0;
    int boardX = 0;
    int boardY = 0;
    int offsetY = 0;
};

// Top-left corner of a popup of `width` x `height` opened for the tile.
void PlaceTipBesideTile(const TipAnchor& anchor, int width, int height, int* x, int* y);

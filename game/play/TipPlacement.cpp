#include "game/play/TipPlacement.h"

#include <algorithm>

#include "framework/gfx/FrameSize.h"

namespace {
constexpr int kLowestBottom = 510;  // the popup stays above the bottom bar
}  // namespace

void PlaceTipBesideTile(const TipAnchor& anchor, int width, int height, int* x, int* y)
{
    const int besideTop = anchor.tileTop - height / 2 + anchor.boardY + anchor.offsetY + 29;
    int px = 0;
    int py = 0;
    if (anchor.drawnLeft > width) {
        px = anchor.drawnLeft - width;
        py = besideTop;
    } else if (anchor.drawnRight >= kFrameWidth - width) {
        px = 20;
        py = anchor.boardY + 20;
    } else {
        px = anchor.drawnRight;
        py = besideTop;
    }
    // The lower bound wins when the popup is too tall for the room between them.
    py = std::max(std::min(py, kLowestBottom - height), anchor.boardY + 5);
    px = std::max(std::min(px, kFrameWidth - width), 0);
    *x = px;
    *y = py;
}

#pragma once

#include <algorithm>
#include <cstdint>

// A rectangle in frame pixels with exclusive right and bottom edges, laid out like the Win32 RECT
// the game's geometry is written against. Empty when it has no width or no height.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }

    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }

    Rect Offset(int32_t dx, int32_t dy) const {
        return Rect{left + dx, top + dy, right + dx, bottom + dy};
    }

    // The common part; empty rectangles stay empty.
    static Rect Intersect(const Rect& a, const Rect& b) {
        Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }

    // The smallest rectangle holding both; an empty side contributes nothing.
    static Rect Union(const Rect& a, const Rect& b) {
        if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
        if (b.IsEmpty()) return a;
        return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
    }

    bool operator==(const Rect&) const = default;
};

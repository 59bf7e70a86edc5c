#pragma once

#include "framework/gfx/Rect.h"

// One rectangle of a widget's clip region; a region is a chain of them.
struct ClipRect {
    Rect rect;
    ClipRect* next = nullptr;
};

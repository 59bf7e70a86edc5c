#pragma once
// The executable's picture of each cursor kind and the point of it that is the pointer's
// position: drawn into the frame as the software cursor, made into the system cursor otherwise.
#include <cstdint>

struct CursorImage {
    int32_t imageId;
    int32_t hotX;
    int32_t hotY;
};

// Kinds 0..4 (normal, hand, I-beam, special, wait); any other kind is the normal one.
CursorImage CursorImageOf(int32_t kind);

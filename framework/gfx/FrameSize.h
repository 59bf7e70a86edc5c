#pragma once
// The game's picture: every screen is drawn into a frame of this size, which the display shows
// in a window of the same size or stretched over a larger screen.
#include <cstdint>

inline constexpr int32_t kFrameWidth = 800;
inline constexpr int32_t kFrameHeight = 600;

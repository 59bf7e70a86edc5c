#pragma once

#include <cstdint>

#include "framework/core/String.h"

// The stored values the display device reads and writes: the user's switches and the 3D
// self-test's outcome. The application fills them from its settings at start-up and writes
// them back at exit.
struct DisplaySettings {
    bool fullScreen = false;
    bool wideScreen = false;
    bool hardwareAcceleration = true;
    bool useDDTM = true;

    int32_t minVideoMemory = 6;  // megabytes
    int32_t goodVideoMemory = 16;
    int32_t textureManageVideoMemory = 40;
    String lastTestVersion;
    int32_t lastTestBitCount = 0;
    int32_t lastResolution = 0;  // vertical << 16 | horizontal
    int32_t freeVideoBlocks = 0;
    String initError;    // empty when the accelerated path may be used
    String initWarning;  // warnings joined by one space
    String directXVersion;
};

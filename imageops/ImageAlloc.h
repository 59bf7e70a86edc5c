#pragma once

#include <cstdint>

// Images whose rows start on 32-byte boundaries, their step a multiple of 32 bytes. The step is
// stored through stepOut; a null stepOut gives null and writes nothing. A width or height below
// 1, or a row that would not fit a 32-bit step, stores step 0 and gives null. The result is null
// when the heap cannot serve the request (the step is stored all the same).
std::uint8_t* AllocImage8u3(std::int32_t width, std::int32_t height, std::int32_t* stepOut);
std::uint8_t* AllocImage8u4(std::int32_t width, std::int32_t height, std::int32_t* stepOut);

// Releases an image of either allocator; null is ignored.
void FreeImage(void* image);

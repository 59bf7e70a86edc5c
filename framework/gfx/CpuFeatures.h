#pragma once

#include <cstdint>

// The processor's feature bits (CPUID leaf 1, EDX); the display device keeps bit 23, MMX, to
// choose its pixel converters.
std::uint32_t CpuFeatures();

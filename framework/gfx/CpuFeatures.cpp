#include "framework/gfx/CpuFeatures.h"

#include "imageops/CpuDetection.h"

// Every processor that runs x86-64 code has CPUID and is past the 486, which the check refuses.
std::uint32_t CpuFeatures() { return Cpuid(1).edx; }

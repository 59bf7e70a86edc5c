#pragma once

#include <cstdint>

// Which processor generation runs us, as far as the choice of image-primitive build cares. The
// classification is a pure function of CPUID answers, so any processor can be described to it.

// The processor generation: 0 unknown (no CPUID, another vendor than Intel, or an Intel family
// outside 5, 6, 7 and 15), 1 to 9, 16, 17 and 32 the Intel generations of ClassifyCpu.
using CpuTypeCode = std::int32_t;

struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;
};

// The CPUID answers the classification reads.
struct CpuidSnapshot {
    bool hasCpuid = false;
    CpuidRegisters leaf0;          // highest leaf and vendor
    CpuidRegisters leaf1;          // signature and feature bits
    CpuidRegisters leaf2;          // cache descriptors
    CpuidRegisters extendedLeaf0;  // highest extended leaf
    CpuidRegisters extendedLeaf1;  // extended feature bits
    CpuidRegisters leaf7;          // structured extended feature bits (subleaf 0)
    std::uint64_t xcr0 = 0;        // the register states the system saves; 0 without OSXSAVE
};

struct CpuFeatureRecord {
    std::uint32_t family = 0;    // base family only; the extended family is not read
    std::uint32_t stepping = 0;
    std::uint32_t model = 0;     // base model only
    std::uint32_t featureBits = 0;
    std::uint32_t descriptorsA = 0;
    std::uint32_t descriptorsD = 0;
    std::uint32_t mmx = 0;
    std::uint32_t sse = 0;
    std::uint32_t sse2 = 0;
    std::uint32_t htt = 0;       // hyper-threading with more than one logical processor
    std::uint32_t sse3 = 0;
    std::uint32_t em64t = 0;     // the 64-bit extension
};

CpuidRegisters Cpuid(std::uint32_t leaf);
CpuidSnapshot ReadCpuidSnapshot();

bool IsGenuineIntelVendor(const CpuidRegisters& leaf0);
CpuFeatureRecord FeaturesFromCpuid(const CpuidSnapshot& snapshot);
// Intel processors, by family and then feature bits.
CpuTypeCode ClassifyCpu(const CpuFeatureRecord& features);
// The whole decision: ClassifyCpu for Intel, else 0. Other vendors' family numbers follow no
// Intel generation, so they are not guessed at; 0 binds the plain build, which runs anywhere.
CpuTypeCode ClassifyCpuid(const CpuidSnapshot& snapshot);

// Whether AVX2 code may run, beside the generation: the processor has AVX and AVX2 (leaf 1 ECX
// bit 28, leaf 7 EBX bit 5, leaf 7 within the highest leaf) and the system saves the XMM and
// YMM registers on a switch (OSXSAVE, leaf 1 ECX bit 27, and XCR0 bits 1 and 2). Without the
// system's part the instructions fault.
bool SupportsAvx2(const CpuidSnapshot& snapshot);

// The same questions asked of this processor. Every call runs CPUID again.
std::int32_t HasCpuid();
std::int32_t IsGenuineIntel();
void ReadCpuFeatures(CpuFeatureRecord* record);
CpuTypeCode DetectCpuType();

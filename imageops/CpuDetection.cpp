#include "imageops/CpuDetection.h"

#include <cpuid.h>

#include <cstring>

namespace {

constexpr std::uint32_t kExtendedBase = 0x80000000u;

constexpr std::uint32_t Bit(std::uint32_t value, int bit) { return (value >> bit) & 1u; }

// XGETBV faults unless the system has set OSXSAVE, so callers check that first.
std::uint64_t ReadXcr0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

CpuidRegisters Cpuid(std::uint32_t leaf) {
    CpuidRegisters r;
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
    return r;
}

CpuidSnapshot ReadCpuidSnapshot() {
    CpuidSnapshot s;
    s.hasCpuid = HasCpuid() != 0;
    if (!s.hasCpuid) {
        return s;
    }
    s.leaf0 = Cpuid(0);
    if (s.leaf0.eax >= 1) s.leaf1 = Cpuid(1);
    if (s.leaf0.eax >= 2) s.leaf2 = Cpuid(2);
    if (s.leaf0.eax >= 7) s.leaf7 = Cpuid(7);
    if (Bit(s.leaf1.ecx, 27) != 0) s.xcr0 = ReadXcr0();
    s.extendedLeaf0 = Cpuid(kExtendedBase);
    if (s.extendedLeaf0.eax >= kExtendedBase + 1) s.extendedLeaf1 = Cpuid(kExtendedBase + 1);
    return s;
}

bool IsGenuineIntelVendor(const CpuidRegisters& leaf0) {
    char vendor[12];
    std::memcpy(vendor, &leaf0.ebx, 4);
    std::memcpy(vendor + 4, &leaf0.edx, 4);
    std::memcpy(vendor + 8, &leaf0.ecx, 4);
    return std::memcmp(vendor, "GenuineIntel", 12) == 0;
}

CpuFeatureRecord FeaturesFromCpuid(const CpuidSnapshot& s) {
    CpuFeatureRecord f;
    const std::uint32_t signature = s.leaf1.eax;
    f.family = (signature >> 8) & 0xF;
    f.model = (signature >> 4) & 0xF;
    f.stepping = signature & 0xF;
    f.featureBits = s.leaf1.edx;
    f.descriptorsA = s.leaf2.eax;
    f.descriptorsD = s.leaf2.edx;
    f.mmx = Bit(s.leaf1.edx, 23);
    f.sse = Bit(s.leaf1.edx, 25);
    f.sse2 = Bit(s.leaf1.edx, 26);
    const std::uint32_t logicalProcessors = (s.leaf1.ebx >> 16) & 0xFF;
    f.htt = (Bit(s.leaf1.edx, 28) != 0 && logicalProcessors > 1) ? 1 : 0;
    f.sse3 = Bit(s.leaf1.ecx, 0);
    f.em64t = (s.extendedLeaf0.eax >= kExtendedBase + 1) ? Bit(s.extendedLeaf1.edx, 29) : 0;
    return f;
}

CpuTypeCode ClassifyCpu(const CpuFeatureRecord& f) {
    switch (f.family) {
        case 7:
            return 16;
        case 15:
            if (!f.sse2) return 17;
            if (f.sse3) return f.em64t ? 32 : 8;
            return f.htt ? 7 : 6;
        case 5:
            return f.mmx ? 2 : 1;
        case 6:
            if (f.sse2) return 9;
            if (f.sse) return 5;
            return f.mmx ? 4 : 3;
        default:
            return 0;
    }
}

CpuTypeCode ClassifyCpuid(const CpuidSnapshot& snapshot) {
    if (!snapshot.hasCpuid || !IsGenuineIntelVendor(snapshot.leaf0)) {
        return 0;
    }
    return ClassifyCpu(FeaturesFromCpuid(snapshot));
}

bool SupportsAvx2(const CpuidSnapshot& s) {
    constexpr std::uint64_t kXmmAndYmmState = 0x6;
    return s.hasCpuid && s.leaf0.eax >= 7 && Bit(s.leaf1.ecx, 27) != 0 && Bit(s.leaf1.ecx, 28) != 0 &&
           (s.xcr0 & kXmmAndYmmState) == kXmmAndYmmState && Bit(s.leaf7.ebx, 5) != 0;
}

// Every x86-64 processor has CPUID; the EFLAGS ID-bit probe is only meaningful in 32-bit code.
std::int32_t HasCpuid() { return 1; }

std::int32_t IsGenuineIntel() { return IsGenuineIntelVendor(Cpuid(0)) ? 1 : 0; }

void ReadCpuFeatures(CpuFeatureRecord* record) {
    if (record != nullptr) {
        *record = FeaturesFromCpuid(ReadCpuidSnapshot());
    }
}

CpuTypeCode DetectCpuType() { return ClassifyCpuid(ReadCpuidSnapshot()); }

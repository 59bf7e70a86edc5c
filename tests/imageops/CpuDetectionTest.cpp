#include "imageops/CpuDetection.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr std::uint32_t kMmx = 1u << 23;
constexpr std::uint32_t kSse = 1u << 25;
constexpr std::uint32_t kSse2 = 1u << 26;
constexpr std::uint32_t kHtt = 1u << 28;

CpuidRegisters Vendor(const char* name) {
    CpuidRegisters r;
    r.eax = 2;
    std::memcpy(&r.ebx, name, 4);
    std::memcpy(&r.edx, name + 4, 4);
    std::memcpy(&r.ecx, name + 8, 4);
    return r;
}

struct Processor {
    std::uint32_t family = 6;
    std::uint32_t edx = 0;
    bool sse3 = false;
    std::uint32_t logical = 1;
    std::uint32_t highestExtended = 0x80000008u;
    bool em64t = false;
    const char* vendor = "GenuineIntel";
    bool hasCpuid = true;
    std::uint32_t extendedFamily = 0;
};

CpuidSnapshot Snapshot(const Processor& p) {
    CpuidSnapshot s;
    s.hasCpuid = p.hasCpuid;
    s.leaf0 = Vendor(p.vendor);
    s.leaf1.eax = (p.extendedFamily << 20) | (p.family << 8) | (0xA << 4) | 0x3;
    s.leaf1.ebx = p.logical << 16;
    s.leaf1.ecx = p.sse3 ? 1u : 0u;
    s.leaf1.edx = p.edx;
    s.leaf2 = {0x665B5001, 0, 0, 0x007A7000};
    s.extendedLeaf0.eax = p.highestExtended;
    s.extendedLeaf1.edx = p.em64t ? (1u << 29) : 0u;
    return s;
}

TEST(CpuDetectionTest, EveryCodeComesFromItsGeneration) {
    struct Case {
        Processor p;
        CpuTypeCode code;
    };
    const Case cases[] = {
        {{.family = 5}, 1},
        {{.family = 5, .edx = kMmx}, 2},
        {{.family = 6}, 3},
        {{.family = 6, .edx = kMmx}, 4},
        {{.family = 6, .edx = kMmx | kSse}, 5},
        {{.family = 15, .edx = kMmx | kSse | kSse2}, 6},
        {{.family = 15, .edx = kMmx | kSse | kSse2 | kHtt, .logical = 2}, 7},
        {{.family = 15, .edx = kSse2, .sse3 = true}, 8},
        {{.family = 6, .edx = kMmx | kSse | kSse2}, 9},
        {{.family = 7}, 16},
        {{.family = 7, .edx = kMmx | kSse | kSse2, .sse3 = true, .em64t = true}, 16},
        {{.family = 15, .edx = kMmx | kSse}, 17},
        {{.family = 15, .edx = kSse2, .sse3 = true, .em64t = true}, 32},
        {{.family = 4, .edx = kMmx | kSse | kSse2}, 0},
        {{.family = 0xE, .edx = kMmx | kSse | kSse2}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyCpuid(Snapshot(c.p)), c.code) << "family " << c.p.family << " edx " << c.p.edx;
    }
}

TEST(CpuDetectionTest, OtherVendorsYieldZeroWhateverTheirFeatures) {
    // Parts that an Intel processor of the same family and bits would run SIMD builds on.
    const Processor parts[] = {
        {.family = 15, .edx = kMmx | kSse | kSse2 | kHtt, .sse3 = true, .logical = 128, .em64t = true,
         .extendedFamily = 8},
        {.family = 15, .edx = kMmx | kSse | kSse2 | kHtt, .logical = 2},
        {.family = 6, .edx = kMmx | kSse | kSse2, .sse3 = true},
        {.family = 7, .edx = kMmx | kSse | kSse2, .sse3 = true, .em64t = true},
        {.family = 5, .edx = kMmx},
    };
    for (const char* vendor : {"AuthenticAMD", "HygonGenuine", "CentaurHauls", "  Shanghai  ", "GenuineIntex"}) {
        for (const Processor& part : parts) {
            Processor other = part;
            other.vendor = vendor;
            ASSERT_NE(ClassifyCpuid(Snapshot(part)), 0);
            EXPECT_EQ(ClassifyCpuid(Snapshot(other)), 0) << vendor << " family " << part.family << " edx " << part.edx;
        }
    }
    EXPECT_EQ(ClassifyCpuid(Snapshot({.family = 15, .edx = kMmx | kSse | kSse2, .hasCpuid = false})), 0);
}

TEST(CpuDetectionTest, FeatureBitsAreReadOnlyWhereThePartsSay) {
    // Hyper-threading counts only with more than one logical processor, and only without SSE3.
    EXPECT_EQ(ClassifyCpuid(Snapshot({.family = 15, .edx = kSse2 | kHtt, .logical = 1})), 6);
    EXPECT_EQ(ClassifyCpuid(Snapshot({.family = 15, .edx = kSse2 | kHtt, .sse3 = true, .logical = 2})), 8);
    // The 64-bit extension bit is ignored when the extended leaf is not offered.
    EXPECT_EQ(ClassifyCpuid(Snapshot({.family = 15, .edx = kSse2, .sse3 = true, .highestExtended = 0x80000000u,
                                      .em64t = true})),
              8);
    // Only the base family is read: an extended family does not move a family-15 part.
    EXPECT_EQ(ClassifyCpuid(Snapshot({.family = 15, .edx = kSse2, .sse3 = true, .em64t = true, .extendedFamily = 8})),
              32);

    const CpuFeatureRecord f =
        FeaturesFromCpuid(Snapshot({.family = 15, .edx = kMmx | kSse2 | kHtt, .logical = 4, .em64t = true}));
    EXPECT_EQ(f.family, 15u);
    EXPECT_EQ(f.model, 0xAu);
    EXPECT_EQ(f.stepping, 3u);
    EXPECT_EQ(f.featureBits, kMmx | kSse2 | kHtt);
    EXPECT_EQ(f.descriptorsA, 0x665B5001u);
    EXPECT_EQ(f.descriptorsD, 0x007A7000u);
    EXPECT_EQ(f.mmx, 1u);
    EXPECT_EQ(f.sse, 0u);
    EXPECT_EQ(f.sse2, 1u);
    EXPECT_EQ(f.htt, 1u);
    EXPECT_EQ(f.sse3, 0u);
    EXPECT_EQ(f.em64t, 1u);
}

TEST(CpuDetectionTest, Avx2NeedsTheProcessorsBitsAndTheSavedRegisterState) {
    constexpr std::uint32_t kOsxsave = 1u << 27;
    constexpr std::uint32_t kAvx = 1u << 28;
    const CpuidSnapshot before = Snapshot({.family = 6, .edx = kMmx | kSse | kSse2, .sse3 = true, .em64t = true});
    CpuidSnapshot s = before;
    s.leaf0.eax = 7;
    s.leaf1.ecx |= kOsxsave | kAvx;
    s.leaf7.ebx = 1u << 5;
    s.xcr0 = 0x7;
    EXPECT_TRUE(SupportsAvx2(s));
    // The generation does not move.
    EXPECT_EQ(ClassifyCpuid(s), ClassifyCpuid(before));

    const auto without = [&](auto change) {
        CpuidSnapshot t = s;
        change(t);
        return SupportsAvx2(t);
    };
    EXPECT_FALSE(without([](CpuidSnapshot& t) { t.leaf7.ebx = 0; }));
    EXPECT_FALSE(without([&](CpuidSnapshot& t) { t.leaf1.ecx &= ~kAvx; }));
    // The system saves no YMM state, or says nothing of what it saves.
    EXPECT_FALSE(without([](CpuidSnapshot& t) { t.xcr0 = 0x3; }));
    EXPECT_FALSE(without([&](CpuidSnapshot& t) { t.leaf1.ecx &= ~kOsxsave; }));
    // Leaf 7 beyond the highest leaf holds no answer.
    EXPECT_FALSE(without([](CpuidSnapshot& t) { t.leaf0.eax = 6; }));
    EXPECT_FALSE(without([](CpuidSnapshot& t) { t.hasCpuid = false; }));
}

TEST(CpuDetectionTest, ThisProcessorIsClassifiedFromItsOwnAnswers) {
    EXPECT_EQ(HasCpuid(), 1);
    EXPECT_EQ(DetectCpuType(), ClassifyCpuid(ReadCpuidSnapshot()));
    CpuFeatureRecord record;
    ReadCpuFeatures(&record);
    // Every x86-64 processor has MMX, SSE and SSE2.
    EXPECT_EQ(record.mmx, 1u);
    EXPECT_EQ(record.sse2, 1u);
    EXPECT_EQ(IsGenuineIntel() != 0, IsGenuineIntelVendor(Cpuid(0)));
    EXPECT_EQ(SupportsAvx2(ReadCpuidSnapshot()), __builtin_cpu_supports("avx2") != 0);
}

}  // namespace

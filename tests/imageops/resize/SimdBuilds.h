#pragma once

#include "imageops/resize/ResizeCore.h"
#include "imageops/resize/ResizeCoreSse.h"
#include "imageops/resize/ResizeCoreSse2.h"
#include "imageops/resize/ResizeCoreSse3.h"
#include "imageops/resize/ResizeImage8u4.h"
#include "imageops/resize/ResizeImage8u4Sse.h"
#include "imageops/resize/ResizeImage8u4Sse2.h"
#include "imageops/resize/ResizeImage8u4Sse3.h"
#include "imageops/resize/ResizeSupersample.h"
#include "imageops/resize/ResizeSupersampleSse.h"
#include "imageops/resize/ResizeSupersampleSse2.h"
#include "imageops/resize/ResizeSupersampleSse3.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// The builds of the resize operation side by side, for the tests that hold the SIMD builds
// against the plain build.
struct SimdBuild {
    const char* name;
    bool supported;  // the processor runs this build's instructions
    decltype(&ResizeCore) core;
    decltype(&ResizeSupersample) supersample;
    decltype(&ResizeImage8u4) entry;
};

inline const SimdBuild kSse2Build{"Sse2", true, ResizeCoreSse2, ResizeSupersampleSse2,
                                  ResizeImage8u4Sse2};
inline const SimdBuild kSse3Build{"Sse3", __builtin_cpu_supports("sse3") != 0, ResizeCoreSse3,
                                  ResizeSupersampleSse3, ResizeImage8u4Sse3};

inline void PrintTo(const SimdBuild& build, std::ostream* out) {
    *out << build.name;
}

inline std::string SimdBuildName(const ::testing::TestParamInfo<SimdBuild>& info) {
    return info.param.name;
}

inline const SimdBuild kSseBuild{"Sse", true, ResizeCoreSse, ResizeSupersampleSse,
                                 ResizeImage8u4Sse};

// Every build the processor runs, the plain one first, for the tests that hold each of them to
// the same rule.
inline std::vector<SimdBuild> RunBuilds() {
    std::vector<SimdBuild> builds{{"Plain", true, ResizeCore, ResizeSupersample, ResizeImage8u4},
                                  kSseBuild};
    for (const SimdBuild& build : {kSse2Build, kSse3Build}) {
        if (build.supported) {
            builds.push_back(build);
        }
    }
    return builds;
}

#define QM_SKIP_UNSUPPORTED_BUILD(build)                           \
    if (!(build).supported) {                                      \
        GTEST_SKIP() << (build).name << " is not run by this CPU"; \
    }

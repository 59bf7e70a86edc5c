#include "imageops/resize/LanczosWeightsSse3.h"

#include "imageops/resize/LanczosWeightsSimd.h"

void LanczosWeightsSse3(const float* fractions, std::int32_t count, float* weights,
                        const float* table) {
    SimdLanczosWeights(fractions, count, weights, table);
}

#include "imageops/resize/LanczosWeightsSse.h"

#include "imageops/resize/LanczosWeights.h"

#include <cmath>
#include <cstddef>

void LanczosWeightsSse(const float* fractions, std::int32_t count, float* weights) {
    const float* table = LanczosTable();
    for (std::int32_t i = 0; i < count; ++i) {
        const float x0 = -2.0f - fractions[i];
        float* out = weights + 6 * static_cast<std::ptrdiff_t>(i);
        for (int k = 0; k < 6; ++k) {
            const float x = x0 + static_cast<float>(k);
            float weight = 0.0f;
            // Both tests fail for NaN.
            if (x > -3.0f && x < 3.0f) {
                const float s = std::fabs(x) * 100.0f;
                const auto j = static_cast<int>(s);
                weight = (table[j + 1] - table[j]) * (s - static_cast<float>(j)) + table[j];
            }
            out[k] = weight;
        }
    }
}

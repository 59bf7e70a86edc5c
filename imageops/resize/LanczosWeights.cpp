#include "imageops/resize/LanczosWeights.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

std::array<float, kLanczosTableSize> MakeTable() {
    std::array<float, kLanczosTableSize> table{};
    table[0] = 1.0f;
    for (int i = 1; i < 300; ++i) {
        // The window is exactly 0 at whole distances; sin(pi * k) in floating point is not.
        if (i % 100 == 0) {
            continue;
        }
        const double px = std::numbers::pi * i / 100.0;
        table[static_cast<std::size_t>(i)] =
            static_cast<float>(3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px));
    }
    // Entries 300 and 301 stay 0: the window ends at x = 3.
    return table;
}

}  // namespace

const float* LanczosTable() {
    static const std::array<float, kLanczosTableSize> table = MakeTable();
    return table.data();
}

void LanczosWeights(const float* fractions, std::int32_t count, float* weights) {
    const float* table = LanczosTable();
    for (std::int32_t i = 0; i < count; ++i) {
        // The next tap's distance is the previous one plus 1.0, not recomputed.
        double x = -2.0 - static_cast<double>(fractions[i]);
        for (int k = 0; k < 6; ++k) {
            double weight = 0.0;
            if (x > -3.0 && x < 3.0) {
                const double a = std::fabs(x) * 100.0;
                const auto j = static_cast<int>(a);
                weight = table[j] + (a - j) * (static_cast<double>(table[j + 1]) - table[j]);
            }
            weights[6 * static_cast<std::ptrdiff_t>(i) + k] = static_cast<float>(weight);
            x += 1.0;
        }
    }
}

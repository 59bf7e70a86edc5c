#include "imageops/resize/ResizeLinearRowsSse.h"

#include "imageops/resize/LinearPasses.h"
#include "imageops/resize/LinearRowKernels.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <xmmintrin.h>

namespace {

// One-channel integer horizontal pass, two destination columns per step.
template <typename T>
void FixedRowPassC1(const T* row, std::int32_t count, const std::int32_t* columnOffsets,
                    const std::uint16_t* columnWeights, std::uint16_t* out) {
    using Ops = FixedLinearOps<T>;
    std::int32_t x = 0;
    for (; x + 2 <= count; x += 2) {
        const T* a = row + columnOffsets[x];
        const T* b = row + columnOffsets[x + 1];
        out[x] = Ops::Horizontal(a[0], a[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x));
        out[x + 1] =
            Ops::Horizontal(b[0], b[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x) + 2);
    }
    if (x < count) {
        const T* a = row + columnOffsets[x];
        out[x] = Ops::Horizontal(a[0], a[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x));
    }
}

// Contiguous integer vertical pass, two values per step.
template <typename T>
void FixedColumnPass(T* dst, std::int64_t count, std::uint16_t weight, const std::uint16_t* top,
                     const std::uint16_t* bottom) {
    using Ops = FixedLinearOps<T>;
    std::int64_t i = 0;
    for (; i + 2 <= count; i += 2) {
        dst[i] = Ops::Vertical(top[i], bottom[i], weight);
        dst[i + 1] = Ops::Vertical(top[i + 1], bottom[i + 1], weight);
    }
    if (i < count) {
        dst[i] = Ops::Vertical(top[i], bottom[i], weight);
    }
}

// One-channel float horizontal pass: four columns per vector step (the weights and the output
// are 16-byte aligned blocks of the driver), the rest one by one.
void FloatRowPassC1(const float* row, std::int32_t count, const std::int32_t* columnOffsets,
                    const float* columnWeights, float* out) {
    std::int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const float* p0 = row + columnOffsets[x];
        const float* p1 = row + columnOffsets[x + 1];
        const float* p2 = row + columnOffsets[x + 2];
        const float* p3 = row + columnOffsets[x + 3];
        const __m128 a = _mm_set_ps(p3[0], p2[0], p1[0], p0[0]);
        const __m128 b = _mm_set_ps(p3[1], p2[1], p1[1], p0[1]);
        const __m128 fx = _mm_load_ps(columnWeights + x);
        _mm_store_ps(out + x, _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), fx)));
    }
    for (; x < count; ++x) {
        const float* p = row + columnOffsets[x];
        out[x] = SingleLinearOps::Horizontal(p[0], p[1], columnWeights + x);
    }
}

// Contiguous float vertical pass: four values per vector step from the aligned buffers, stored
// aligned or unaligned by the destination's address; the rest one by one.
void FloatColumnPass(float* dst, std::int64_t count, float weight, const float* top,
                     const float* bottom) {
    const __m128 u = _mm_set1_ps(1.0f - weight);
    const __m128 l = _mm_set1_ps(weight);
    const bool aligned = reinterpret_cast<std::uintptr_t>(dst) % 16 == 0;
    std::int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 v = _mm_add_ps(_mm_mul_ps(_mm_load_ps(top + i), u),
                                    _mm_mul_ps(_mm_load_ps(bottom + i), l));
        if (aligned) {
            _mm_store_ps(dst + i, v);
        } else {
            _mm_storeu_ps(dst + i, v);
        }
    }
    LinearColumnScalar<SingleLinearOps>(dst, i, count, weight, top, bottom);
}

// Q14 integers and single-precision floats, one value at a time but for the one-channel rows
// and the contiguous columns above.
struct SseLinearPasses : ScalarLinearPasses<SingleLinearOps> {
    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t count, std::int32_t distance,
                    const std::int32_t* offsets, const typename Ops<T>::Weight* weights,
                    typename Ops<T>::Buffer* out) {
        if constexpr (kChannels != 1) {
            LinearRowScalar<Ops<T>, T, kChannels>(row, count, distance, offsets, weights, out);
        } else if constexpr (std::is_same_v<T, float>) {
            FloatRowPassC1(row, count, offsets, weights, out);
        } else {
            FixedRowPassC1<T>(row, count, offsets, weights, out);
        }
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, typename Ops<T>::Weight weight,
                       const typename Ops<T>::Buffer* top, const typename Ops<T>::Buffer* bottom) {
        if constexpr (std::is_same_v<T, float>) {
            FloatColumnPass(dst, count, weight, top, bottom);
        } else {
            FixedColumnPass<T>(dst, count, weight, top, bottom);
        }
    }
};

}  // namespace

QM_DEFINE_LINEAR_KERNELS(Sse, SseLinearPasses)

#include "imageops/resize/ResizeLanczosRowsSse2.h"

#include "imageops/resize/BlockFillCopySse2.h"
#include "imageops/resize/ResizeLanczosRowsSimd.h"

namespace {

void CopyRow(const float* from, float* to, std::int64_t count) {
    CopyIntsSse2(from, to, count);
}

}  // namespace

#define QM_LANCZOS_SSE2_PARAMS(type)                                                               \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep, std::int32_t dstWidth, \
        std::int32_t dstHeight, const std::int32_t *rowOffsets, const std::int32_t *columnOffsets, \
        const float *rowWeights, const float *columnWeights, float *lineBuffer0,                   \
        float *lineBuffer1, float *lineBuffer2, float *lineBuffer3, float *lineBuffer4,            \
        float *lineBuffer5, std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight, \
        std::int32_t rowsBelow, std::int32_t upY

#define QM_LANCZOS_BUFFERS                                            \
    float* const buffers[6] = {lineBuffer0, lineBuffer1, lineBuffer2, \
                               lineBuffer3, lineBuffer4, lineBuffer5}

void ResizeLanczosRows8uSse2(QM_LANCZOS_SSE2_PARAMS(std::uint8_t), std::int32_t pixelStride,
                             std::int32_t channels) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosInterleaved(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                           columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                           columnsRight, rowsBelow, upY, pixelStride, channels);
}

void ResizeLanczosRows16uSse2(QM_LANCZOS_SSE2_PARAMS(std::uint16_t), std::int32_t pixelStride,
                              std::int32_t channels) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosInterleaved(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                           columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                           columnsRight, rowsBelow, upY, pixelStride, channels);
}

void ResizeLanczosRows32fSse2(QM_LANCZOS_SSE2_PARAMS(float), std::int32_t pixelStride,
                              std::int32_t channels) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosInterleaved(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                           columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                           columnsRight, rowsBelow, upY, pixelStride, channels);
}

void ResizeLanczosRows8u1Sse2(QM_LANCZOS_SSE2_PARAMS(std::uint8_t)) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosSingle(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                      columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                      columnsRight, rowsBelow, upY);
}

void ResizeLanczosRows16u1Sse2(QM_LANCZOS_SSE2_PARAMS(std::uint16_t)) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosSingle(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                      columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                      columnsRight, rowsBelow, upY);
}

void ResizeLanczosRows32f1Sse2(QM_LANCZOS_SSE2_PARAMS(float)) {
    QM_LANCZOS_BUFFERS;
    SimdLanczosSingle(CopyRow, src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,
                      columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,
                      columnsRight, rowsBelow, upY);
}

#undef QM_LANCZOS_SSE2_PARAMS
#undef QM_LANCZOS_BUFFERS

#include "imageops/resize/ResizeRequestCheck.h"

ImageOpStatus CheckResizeArguments(const void* src, std::int32_t srcWidth,
                                   std::int32_t srcHeight, std::int32_t srcStep,
                                   std::int32_t srcRoiX, std::int32_t srcRoiY,
                                   std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                   void* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                   std::int32_t dstHeight, double xFactor, double yFactor) {
    if (src == nullptr || dst == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (srcWidth < 1 || srcHeight < 1) {
        return ImageOpStatus::BadSize;
    }
    if (srcStep < 1 || dstStep < 1) {
        return ImageOpStatus::BadStep;
    }
    if (srcRoiX < 0 || srcRoiY < 0 || srcRoiWidth < 1 || srcRoiHeight < 1) {
        return ImageOpStatus::BadSize;
    }
    if (srcRoiX >= srcWidth || srcRoiY >= srcHeight) {
        return ImageOpStatus::RegionOutsideSource;
    }
    if (dstWidth < 1 || dstHeight < 1) {
        return ImageOpStatus::BadSize;
    }
    if (!(xFactor > 0.0) || !(yFactor > 0.0)) {
        return ImageOpStatus::BadFactor;
    }
    return ImageOpStatus::Ok;
}

bool ResizePlanesPresent(const void* src, void* dst, std::int32_t planar, std::int32_t channels) {
    if (planar == 0) {
        return true;
    }
    const int planes = channels == 3 ? 3 : 4;
    const auto* srcPlanes = static_cast<const void* const*>(src);
    auto* const* dstPlanes = static_cast<void* const*>(dst);
    for (int k = 0; k < planes; ++k) {
        if (srcPlanes[k] == nullptr || dstPlanes[k] == nullptr) {
            return false;
        }
    }
    return true;
}

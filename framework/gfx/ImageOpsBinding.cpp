#include "framework/gfx/ImageOpsBinding.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imageops/ImageOpsSse.h"
#include "imageops/ImageOpsSse2.h"
#include "imageops/ImageOpsSse3.h"
#include "imageops/resize/ResizeImage8u4Sse.h"
#include "imageops/resize/ResizeImage8u4Sse2.h"
#include "imageops/resize/ResizeImage8u4Sse3.h"

namespace {

template <ImageOpSlot S>
constexpr CpuVariantRow Row(ImageOpSlotFn<S> plain, ImageOpSlotFn<S> sse, ImageOpSlotFn<S> sse2,
                            ImageOpSlotFn<S> sse3) {
    return {S,
            {EraseImageOpEntry<S>(plain), EraseImageOpEntry<S>(sse), EraseImageOpEntry<S>(sse2),
             EraseImageOpEntry<S>(sse3)}};
}

using S = ImageOpSlot;

// The allocators and the release are the same in every build.
const CpuVariantRow kShippedRows[] = {
    Row<S::AllocImage8u3>(AllocImage8u3, AllocImage8u3, AllocImage8u3, AllocImage8u3),
    Row<S::AllocImage8u4>(AllocImage8u4, AllocImage8u4, AllocImage8u4, AllocImage8u4),
    Row<S::FreeImage>(FreeImage, FreeImage, FreeImage, FreeImage),
    Row<S::CopyColorChannels8u4>(CopyColorChannels8u4, CopyColorChannels8u4Sse, CopyColorChannels8u4Sse2,
                                 CopyColorChannels8u4Sse3),
    Row<S::PremultiplyAlpha8u4>(PremultiplyAlpha8u4, PremultiplyAlpha8u4Sse, PremultiplyAlpha8u4Sse2,
                                PremultiplyAlpha8u4Sse3),
    Row<S::AlphaComposite8u4>(AlphaComposite8u4, AlphaComposite8u4Sse, AlphaComposite8u4Sse2, AlphaComposite8u4Sse3),
    Row<S::AlphaCompositeConst8u4>(AlphaCompositeConst8u4, AlphaCompositeConst8u4Sse, AlphaCompositeConst8u4Sse2,
                                   AlphaCompositeConst8u4Sse3),
    Row<S::AlphaCompositeConstColor8u4>(AlphaCompositeConstColor8u4, AlphaCompositeConstColor8u4Sse,
                                        AlphaCompositeConstColor8u4Sse2, AlphaCompositeConstColor8u4Sse3),
    Row<S::MultiplyColorInPlace8u4>(MultiplyColorInPlace8u4, MultiplyColorInPlace8u4Sse, MultiplyColorInPlace8u4Sse2,
                                    MultiplyColorInPlace8u4Sse3),
    Row<S::AddColorScaledInPlace8u4>(AddColorScaledInPlace8u4, AddColorScaledInPlace8u4Sse,
                                     AddColorScaledInPlace8u4Sse2, AddColorScaledInPlace8u4Sse3),
    Row<S::MultiplyConst8u4>(MultiplyConst8u4, MultiplyConst8u4Sse, MultiplyConst8u4Sse2, MultiplyConst8u4Sse3),
    Row<S::FillColor8u4>(FillColor8u4, FillColor8u4Sse, FillColor8u4Sse2, FillColor8u4Sse3),
    Row<S::FillPixel8u4>(FillPixel8u4, FillPixel8u4Sse, FillPixel8u4Sse2, FillPixel8u4Sse3),
    Row<S::ResizeImage8u4>(ResizeImage8u4, ResizeImage8u4Sse, ResizeImage8u4Sse2, ResizeImage8u4Sse3),
};

// The processor class forced by the test harness, or -1.
std::int32_t ForcedProcessorClass() {
    const char* test = std::getenv("QUILLOMAR_TEST");
    const char* build = std::getenv("QUILLOMAR_IMAGEOPS_BUILD");
    if (test == nullptr || std::strcmp(test, "1") != 0 || build == nullptr) return -1;
    if (build[0] >= '0' && build[0] <= '3' && build[1] == '\0') return build[0] - '0';
    return -1;
}

bool Verbose() {
    const char* verbose = std::getenv("QUILLOMAR_VERBOSE");
    return verbose != nullptr && std::strcmp(verbose, "1") == 0;
}

// Which build the table now holds, read back from the table itself.
const char* BoundBuildName(CpuVariantRecord record, const ImageOpsDispatchTable& table) {
    static const char* const kNames[kBuildClassCount] = {"plain", "SSE", "SSE2", "SSE3"};
    for (int build = kBuildClassCount - 1; build >= 0; --build) {
        bool all = true;
        for (const CpuVariantRow& row : record) {
            all = all && table.ErasedEntry(static_cast<int>(row.slot)) == row.builds[static_cast<std::size_t>(build)];
        }
        if (all) return kNames[build];
    }
    return "mixed";
}

}  // namespace

const BuildPreferenceList kBuildPreferenceList = {{
    {0, 4, 4, 4, 4},
    {1, 0, 4, 4, 4},
    {2, 1, 0, 4, 4},
    {3, 2, 1, 0, 4},
}};

CpuVariantRecord ShippedCpuVariants() { return kShippedRows; }

std::int32_t CpuClassOf(CpuTypeCode code) {
    switch (code) {
        case 5:
        case 16:
        case 17:
            return 1;
        case 6:
        case 7:
        case 9:
            return 2;
        case 8:
        case 32:
            return 3;
        default:
            return 0;
    }
}

std::int32_t CpuClass() { return CpuClassOf(DetectCpuType()); }

std::int32_t FillDispatchSlotsFrom(CpuVariantRecord record, std::int32_t buildClass, ImageOpsDispatchTable& table) {
    if (buildClass < 0 || buildClass >= kBuildClassCount) return 0;
    for (const CpuVariantRow& row : record) {
        const ImageOpEntry entry = row.builds[static_cast<std::size_t>(buildClass)];
        if (entry == nullptr) return 0;
        table.StoreErased(static_cast<int>(row.slot), entry);
    }
    return 1;
}

std::int32_t BindImageOps(CpuVariantRecord record, std::int32_t processorClass, ImageOpsDispatchTable& table) {
    if (record.empty() || processorClass < 0 || processorClass >= kBuildClassCount) return 0;
    for (const std::int32_t build : kBuildPreferenceList[static_cast<std::size_t>(processorClass)]) {
        if (build >= kBuildClassCount) return 0;
        if (FillDispatchSlotsFrom(record, build, table) != 0) return 1;
    }
    return 0;
}

CopyOpaqueRowEntry BoundCopyOpaqueRow(const ImageOpsDispatchTable& table) {
    const auto copy = table.Entry<ImageOpSlot::CopyColorChannels8u4>();
    if (copy == &CopyColorChannels8u4Sse3) return CopyOpaqueRow8u4Sse3;
    if (copy == &CopyColorChannels8u4Sse2) return CopyOpaqueRow8u4Sse2;
    if (copy == &CopyColorChannels8u4Sse) return CopyOpaqueRow8u4Sse;
    return CopyOpaqueRow8u4;
}

std::int32_t FillDispatchSlots(std::int32_t buildClass) {
    return FillDispatchSlotsFrom(ShippedCpuVariants(), buildClass, gImageOpsDispatchTable);
}

std::int32_t InitImageOps() {
    const std::int32_t forced = ForcedProcessorClass();
    const CpuTypeCode code = DetectCpuType();
    const std::int32_t bound =
        BindImageOps(ShippedCpuVariants(), forced >= 0 ? forced : CpuClassOf(code), gImageOpsDispatchTable);
    if (Verbose()) {
        std::fprintf(stderr, "quillomar: image primitives: %s build (processor type %d%s)\n",
                     BoundBuildName(ShippedCpuVariants(), gImageOpsDispatchTable), static_cast<int>(code),
                     forced >= 0 ? ", build forced" : "");
    }
    return bound;
}

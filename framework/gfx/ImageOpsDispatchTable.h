#pragma once

#include "imageops/ImageAlloc.h"
#include "imageops/ImageOps.h"
#include "imageops/resize/ResizeImage8u4.h"

#include <cstdint>
#include <tuple>
#include <utility>

// The framework reaches the image primitives only through this table of fourteen entry points,
// one per primitive; the binding (ImageOpsBinding.h) fills it once at start-up with the best
// build the processor allows. Until then every slot holds the plain build, so the stubs below
// work from the moment the program is loaded.

enum class ImageOpSlot : int {
    AllocImage8u3 = 0,
    AllocImage8u4 = 1,
    FreeImage = 2,
    CopyColorChannels8u4 = 3,
    PremultiplyAlpha8u4 = 4,
    AlphaComposite8u4 = 5,
    AlphaCompositeConst8u4 = 6,
    AlphaCompositeConstColor8u4 = 7,
    MultiplyColorInPlace8u4 = 8,
    AddColorScaledInPlace8u4 = 9,
    MultiplyConst8u4 = 10,
    FillColor8u4 = 11,
    FillPixel8u4 = 12,
    ResizeImage8u4 = 13,
};

inline constexpr int kImageOpSlotCount = 14;

// The signature of each slot: the plain build's.
template <ImageOpSlot S> struct ImageOpSlotType;
#define QM_IMAGE_OP_SLOT_TYPE(name) \
    template <>                      \
    struct ImageOpSlotType<ImageOpSlot::name> { using Type = decltype(&::name); }
QM_IMAGE_OP_SLOT_TYPE(AllocImage8u3);
QM_IMAGE_OP_SLOT_TYPE(AllocImage8u4);
QM_IMAGE_OP_SLOT_TYPE(FreeImage);
QM_IMAGE_OP_SLOT_TYPE(CopyColorChannels8u4);
QM_IMAGE_OP_SLOT_TYPE(PremultiplyAlpha8u4);
QM_IMAGE_OP_SLOT_TYPE(AlphaComposite8u4);
QM_IMAGE_OP_SLOT_TYPE(AlphaCompositeConst8u4);
QM_IMAGE_OP_SLOT_TYPE(AlphaCompositeConstColor8u4);
QM_IMAGE_OP_SLOT_TYPE(MultiplyColorInPlace8u4);
QM_IMAGE_OP_SLOT_TYPE(AddColorScaledInPlace8u4);
QM_IMAGE_OP_SLOT_TYPE(MultiplyConst8u4);
QM_IMAGE_OP_SLOT_TYPE(FillColor8u4);
QM_IMAGE_OP_SLOT_TYPE(FillPixel8u4);
QM_IMAGE_OP_SLOT_TYPE(ResizeImage8u4);
#undef QM_IMAGE_OP_SLOT_TYPE

template <ImageOpSlot S>
using ImageOpSlotFn = typename ImageOpSlotType<S>::Type;

// An entry with its type erased, as the binding's build columns hold it. It is converted back
// to its slot's own type before it is stored, so every call goes through the right signature.
using ImageOpEntry = void (*)();

template <ImageOpSlot S>
ImageOpEntry EraseImageOpEntry(ImageOpSlotFn<S> entry) {
    return reinterpret_cast<ImageOpEntry>(entry);
}

template <class Slots> struct ImageOpSlotTuple;
template <int... I>
struct ImageOpSlotTuple<std::integer_sequence<int, I...>> {
    using Type = std::tuple<ImageOpSlotFn<static_cast<ImageOpSlot>(I)>...>;
};

// One typed entry point per slot, in slot order.
struct ImageOpsDispatchTable {
    typename ImageOpSlotTuple<std::make_integer_sequence<int, kImageOpSlotCount>>::Type slots;

    template <ImageOpSlot S>
    ImageOpSlotFn<S> Entry() const {
        return std::get<static_cast<int>(S)>(slots);
    }

    // The entry of slot (0 to 13) erased, and an erased entry stored into slot.
    ImageOpEntry ErasedEntry(int slot) const;
    void StoreErased(int slot, ImageOpEntry entry);

    bool operator==(const ImageOpsDispatchTable&) const = default;
};

// Every slot holding its plain build.
ImageOpsDispatchTable GenericImageOpsDispatchTable();

// Holds the plain builds from load time on (constant-initialised), until the binding runs.
extern ImageOpsDispatchTable gImageOpsDispatchTable;

// The stubs: each reads its slot at every call and hands the arguments on unchanged. Slot 7 has
// no caller and so no stub.
template <ImageOpSlot S, class... Args>
inline auto CallImageOp(Args... args) {
    return gImageOpsDispatchTable.Entry<S>()(args...);
}

inline std::uint8_t* AllocImage8u3Stub(std::int32_t width, std::int32_t height, std::int32_t* stepOut) {
    return CallImageOp<ImageOpSlot::AllocImage8u3>(width, height, stepOut);
}
inline std::uint8_t* AllocImage8u4Stub(std::int32_t width, std::int32_t height, std::int32_t* stepOut) {
    return CallImageOp<ImageOpSlot::AllocImage8u4>(width, height, stepOut);
}
inline void FreeImageStub(void* image) { CallImageOp<ImageOpSlot::FreeImage>(image); }
inline ImageOpStatus CopyColorChannels8u4Stub(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t* dst,
                                              std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return CallImageOp<ImageOpSlot::CopyColorChannels8u4>(src, srcStep, dst, dstStep, width, height);
}
inline ImageOpStatus PremultiplyAlpha8u4Stub(std::uint8_t* srcDst, std::int32_t step, std::int32_t width,
                                             std::int32_t height) {
    return CallImageOp<ImageOpSlot::PremultiplyAlpha8u4>(srcDst, step, width, height);
}
inline ImageOpStatus AlphaComposite8u4Stub(const std::uint8_t* src1, std::int32_t src1Step, const std::uint8_t* src2,
                                           std::int32_t src2Step, std::uint8_t* dst, std::int32_t dstStep,
                                           std::int32_t width, std::int32_t height, CompositeOp op) {
    return CallImageOp<ImageOpSlot::AlphaComposite8u4>(src1, src1Step, src2, src2Step, dst, dstStep, width, height,
                                                       op);
}
inline ImageOpStatus AlphaCompositeConst8u4Stub(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                                const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                                std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                                std::int32_t height, CompositeOp op) {
    return CallImageOp<ImageOpSlot::AlphaCompositeConst8u4>(src1, src1Step, alpha1, src2, src2Step, alpha2, dst,
                                                            dstStep, width, height, op);
}
inline ImageOpStatus MultiplyColorInPlace8u4Stub(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                                 std::int32_t width, std::int32_t height) {
    return CallImageOp<ImageOpSlot::MultiplyColorInPlace8u4>(value, srcDst, step, width, height);
}
inline ImageOpStatus AddColorScaledInPlace8u4Stub(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                                  std::int32_t width, std::int32_t height, std::int32_t scaleFactor) {
    return CallImageOp<ImageOpSlot::AddColorScaledInPlace8u4>(value, srcDst, step, width, height, scaleFactor);
}
inline ImageOpStatus MultiplyConst8u4Stub(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                                          std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                          std::int32_t height) {
    return CallImageOp<ImageOpSlot::MultiplyConst8u4>(src, srcStep, value, dst, dstStep, width, height);
}
inline ImageOpStatus FillColor8u4Stub(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep,
                                      std::int32_t width, std::int32_t height) {
    return CallImageOp<ImageOpSlot::FillColor8u4>(value, dst, dstStep, width, height);
}
inline ImageOpStatus FillPixel8u4Stub(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep,
                                      std::int32_t width, std::int32_t height) {
    return CallImageOp<ImageOpSlot::FillPixel8u4>(value, dst, dstStep, width, height);
}
inline ImageOpStatus ResizeImage8u4Stub(const std::uint8_t* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                        std::int32_t srcStep, std::int32_t roiX, std::int32_t roiY,
                                        std::int32_t roiWidth, std::int32_t roiHeight, std::uint8_t* dst,
                                        std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                                        double xFactor, double yFactor, std::int32_t interpolation) {
    return CallImageOp<ImageOpSlot::ResizeImage8u4>(src, srcWidth, srcHeight, srcStep, roiX, roiY, roiWidth,
                                                    roiHeight, dst, dstStep, dstWidth, dstHeight, xFactor, yFactor,
                                                    interpolation);
}

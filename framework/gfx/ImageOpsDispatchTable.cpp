#include "framework/gfx/ImageOpsDispatchTable.h"

#include <array>

namespace {

constexpr ImageOpsDispatchTable kGenericTable{{
    AllocImage8u3,
    AllocImage8u4,
    FreeImage,
    CopyColorChannels8u4,
    PremultiplyAlpha8u4,
    AlphaComposite8u4,
    AlphaCompositeConst8u4,
    AlphaCompositeConstColor8u4,
    MultiplyColorInPlace8u4,
    AddColorScaledInPlace8u4,
    MultiplyConst8u4,
    FillColor8u4,
    FillPixel8u4,
    ResizeImage8u4,
}};

using Table = ImageOpsDispatchTable;

template <int... I>
constexpr auto MakeReaders(std::integer_sequence<int, I...>) {
    return std::array<ImageOpEntry (*)(const Table&), sizeof...(I)>{[](const Table& t) {
        return reinterpret_cast<ImageOpEntry>(std::get<I>(t.slots));
    }...};
}

template <int... I>
constexpr auto MakeWriters(std::integer_sequence<int, I...>) {
    return std::array<void (*)(Table&, ImageOpEntry), sizeof...(I)>{[](Table& t, ImageOpEntry e) {
        std::get<I>(t.slots) = reinterpret_cast<std::tuple_element_t<I, decltype(t.slots)>>(e);
    }...};
}

constexpr auto kReaders = MakeReaders(std::make_integer_sequence<int, kImageOpSlotCount>{});
constexpr auto kWriters = MakeWriters(std::make_integer_sequence<int, kImageOpSlotCount>{});

}  // namespace

ImageOpEntry ImageOpsDispatchTable::ErasedEntry(int slot) const { return kReaders[slot](*this); }

void ImageOpsDispatchTable::StoreErased(int slot, ImageOpEntry entry) { kWriters[slot](*this, entry); }

ImageOpsDispatchTable GenericImageOpsDispatchTable() { return kGenericTable; }

constinit ImageOpsDispatchTable gImageOpsDispatchTable = kGenericTable;

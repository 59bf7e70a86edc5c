// Fuzz entry of the asset pack's reader: the table check at open, then two lookups of every
// type and id the table's slots name (the first checks the data's CRC, the second takes the
// remembered answer). The block is also tried with every CRC mended, so that damage reaches
// the entry checks behind them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/core/Crc32.h"
#include "framework/core/PackFile.h"
#include "framework/core/PackFormat.h"

namespace {

uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Table slots the block holds, at most 64.
size_t Slots(size_t size) {
    return size < kPackHeaderSize ? 0 : std::min<size_t>((size - kPackHeaderSize) / kPackEntrySize, 64);
}

void Probe(const uint8_t* data, size_t size) {
    PackFile pack;
    if (!pack.OpenMemory(data, size)) return;
    for (size_t i = 0; i < Slots(size); ++i) {
        const uint8_t* slot = data + kPackHeaderSize + i * kPackEntrySize;
        size_t length = 0;
        while (length < kPackTypeSize && slot[length]) ++length;
        const std::string_view type(reinterpret_cast<const char*>(slot), length);
        for (int pass = 0; pass < 2; ++pass) {
            uint32_t sum = 0;
            for (uint8_t byte : pack.Find(type, Get32(slot + 8))) sum += byte;
            volatile uint32_t sink = sum;
            (void)sink;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Probe(data, size);
    if (size < kPackHeaderSize) return 0;
    std::vector<uint8_t> mended(data, data + size);
    for (size_t i = 0; i < Slots(size); ++i) {
        uint8_t* slot = mended.data() + kPackHeaderSize + i * kPackEntrySize;
        const uint64_t offset = Get32(slot + 12);
        const uint64_t length = Get32(slot + 16);
        if (offset + length <= size) Put32(slot + 20, Crc32(mended.data() + offset, static_cast<size_t>(length)));
    }
    const uint64_t tableBytes = std::min<uint64_t>(uint64_t{Get32(mended.data() + 8)} * kPackEntrySize,
                                                   size - kPackHeaderSize);
    Put32(mended.data() + 12, Crc32(mended.data() + kPackHeaderSize, static_cast<size_t>(tableBytes)));
    Probe(mended.data(), mended.size());
    return 0;
}

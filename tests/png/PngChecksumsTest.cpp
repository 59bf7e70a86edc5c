// The chunk CRC-32 and the Adler-32 against zlib's, on lengths around the unrolled and vector
// steps and on runs long enough to overflow unreduced sums.

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

#include "PngTestFiles.h"
#include "png/PngChecksums.h"

namespace {

TEST(PngChecksums, MatchZlibOnEveryLengthAndSplit) {
    std::mt19937 rng(3);
    Bytes data(20000);
    for (auto& b : data) b = uint8_t(rng());
    Bytes ones(100000, 0xFF);
    for (const Bytes* d : {&data, &ones}) {
        for (size_t n : {size_t(0), size_t(1), size_t(7), size_t(8), size_t(9), size_t(15), size_t(16),
                         size_t(17), size_t(255), size_t(256), size_t(319), size_t(320),
                         size_t(337), size_t(5551), size_t(5552), size_t(5553), size_t(5569),
                         size_t(11105), d->size()}) {
            EXPECT_EQ(PngChunkCrc(d->data(), n), uint32_t(crc32(0, d->data(), uInt(n)))) << n;
            if (n > 0) {
                EXPECT_EQ(PngChunkCrc(d->data() + 1, n - 1),
                          uint32_t(crc32(0, d->data() + 1, uInt(n - 1))))
                    << n;
            }
            EXPECT_EQ(PngAdler32(d->data(), n), uint32_t(adler32(1, d->data(), uInt(n)))) << n;
            const size_t half = n / 3;
            EXPECT_EQ(PngAdler32Update(PngAdler32(d->data(), half), d->data() + half, n - half),
                      uint32_t(adler32(1, d->data(), uInt(n))))
                << n;
        }
    }
}

}  // namespace

// The fuzz target's seed corpus replayed through the target's own entry, so that every build with
// the sanitizers runs what the fuzzer found; the images of it that both decoders take must agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "PngTestFiles.h"
#include "png/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> CorpusFiles() {
    const char* over = std::getenv("QM_TESTDATA_DIR");
    const std::string dir = std::string(over && *over ? over : QM_TESTDATA_DIR) + "/fuzz/png";
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(dir, error)) {
        if (e.is_regular_file()) paths.push_back(e.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(PngFuzzCorpus, EveryFileRunsThroughTheFuzzEntryAndAgreesWithLibpng) {
    const std::vector<std::string> paths = CorpusFiles();
    ASSERT_GE(paths.size(), 20u);
    int decoded = 0;
    int refused = 0;
    for (const std::string& path : paths) {
        const Bytes file = ReadFileBytes(path);
        EXPECT_EQ(LLVMFuzzerTestOneInput(file.data(), file.size()), 0) << path;

        PngDecoder dec;
        PngDecoderInit(&dec);
        const bool ours = PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())) &&
                          PngDecoderDecode(&dec);
        if (!ours) {
            ++refused;
            PngDecoderClose(&dec);
            continue;
        }
        ++decoded;
        const ReferenceImage ref = LibpngDecodeRaw(file);
        if (ref.ok) {
            // Converter 0 hands over the reconstructed rows, bottom row first.
            Bytes rows(ref.rowBytes * ref.height);
            ASSERT_EQ(PngDecoderWriteRows(&dec, rows.data(), 0, int32_t(ref.rowBytes)), 1) << path;
            for (uint32_t y = 0; y < ref.height; ++y) {
                EXPECT_TRUE(std::equal(rows.begin() + ptrdiff_t((ref.height - 1 - y) * ref.rowBytes),
                                       rows.begin() + ptrdiff_t((ref.height - y) * ref.rowBytes),
                                       ref.pixels.begin() + ptrdiff_t(y * ref.rowBytes)))
                    << path << " row " << y;
            }
        }
        PngDecoderClose(&dec);
    }
    // A corpus that only refuses, or only decodes, has lost half of what it is for.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace

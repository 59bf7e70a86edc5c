// Every seed of the image loaders' fuzz targets, replayed through the targets' own entry under
// the sanitizers. Seeds named "ok-" must load and "bad-" must be refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/framework/gfx/ImageLoaderFuzz.h"

namespace {

namespace fs = std::filesystem;

void Replay(const char* folder, FuzzedImageFormat format) {
    const fs::path dir = fs::path(QM_TESTDATA_DIR) / "fuzz" / folder;
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string name = entry.path().filename().string();
        const bool loaded = LoadFuzzedImage(format, bytes.data(), bytes.size());
        if (name.rfind("ok-", 0) == 0) {
            EXPECT_TRUE(loaded) << name;
        } else if (name.rfind("bad-", 0) == 0) {
            EXPECT_FALSE(loaded) << name;
        }
        // Every prefix of a seed, as a truncated file or resource would present it.
        for (size_t cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 64) {
            const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
            LoadFuzzedImage(format, part.data(), part.size());
        }
        ++seeds;
    }
    EXPECT_GE(seeds, 4) << "the corpus of " << folder << " is committed";
}

TEST(FuzzCorpus, BmpFilesReplay) { Replay("bmp", FuzzedImageFormat::BmpFile); }
TEST(FuzzCorpus, TgaReplay) { Replay("tga", FuzzedImageFormat::Tga); }
TEST(FuzzCorpus, JpegReplay) { Replay("jpeg", FuzzedImageFormat::Jpeg); }

// A bitmap resource is a file without its 14-byte file header.
TEST(FuzzCorpus, BmpResourcesReplay) {
    const fs::path dir = fs::path(QM_TESTDATA_DIR) / "fuzz" / "bmp";
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (bytes.size() <= 14) continue;
        const std::string name = entry.path().filename().string();
        const bool loaded = LoadFuzzedImage(FuzzedImageFormat::BmpResource, bytes.data() + 14, bytes.size() - 14);
        // Resources hold bottom-up rows right behind the header and have no pixel offset, so
        // only the plain seeds load, and a bad offset does not matter.
        if (name == "ok-24bit.bmp" || name == "ok-32bit.bmp") {
            EXPECT_TRUE(loaded) << name;
        } else if (name.rfind("bad-", 0) == 0 && name != "bad-offset-past-end.bmp") {
            EXPECT_FALSE(loaded) << name;
        }
    }
}

}  // namespace

#include "game/front/LayoutPageCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class LayoutPageCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("qm_pagecache_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        path = (folder / "0.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void Write(const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    int Read() { return LayoutPageCache::ReadText(path.c_str(), &lines); }

    std::filesystem::path folder;
    std::string path;
    LayoutPageCache::Lines lines;
};

}  // namespace

TEST_F(LayoutPageCacheTest, FileNamesFollowThePageStart) {
    String bmp, txt;
    LayoutPageCache::FileNames(String("/data/q/"), 117, &bmp, &txt);
    EXPECT_EQ(bmp, "/data/q/117.bmp");
    EXPECT_EQ(txt, "/data/q/117.txt");
    LayoutPageCache::FileNames(String("/data/q/"), 0, &bmp, nullptr);
    EXPECT_EQ(bmp, "/data/q/0.bmp");
}

TEST_F(LayoutPageCacheTest, WrittenLinesReadBackAndStopAtTheFirstEmptySlot) {
    PageCacheLine written[4];
    written[0] = {"1. Little Bridge", 72, 14};
    written[1] = {"2. Tab\there", 144, 0};
    written[2] = {"3. Gone", 0, 0};
    written[3] = {"4. Never", 36, 4};
    ASSERT_TRUE(LayoutPageCache::WriteText(path.c_str(), written, 4));
    ASSERT_EQ(Read(), 2);
    EXPECT_EQ(lines[0].name, "1. Little Bridge");
    EXPECT_EQ(lines[0].tiles, 72);
    EXPECT_EQ(lines[0].freeTiles, 14);
    EXPECT_EQ(lines[1].name, "2. Tab here");  // the separator cannot get into a name
    EXPECT_EQ(lines[1].tiles, 144);
    EXPECT_EQ(lines[1].freeTiles, 0);

    EXPECT_FALSE(LayoutPageCache::WriteText((folder / "no" / "such.txt").string().c_str(), written, 1));
    EXPECT_FALSE(LayoutPageCache::WriteText(nullptr, written, 1));
}

TEST_F(LayoutPageCacheTest, ALinkInPlaceOfTheFileIsReplacedNotWrittenThrough) {
    const auto victim = folder / "victim";
    std::ofstream(victim, std::ios::binary) << "keep me";
    std::filesystem::create_symlink(victim, path);
    EXPECT_EQ(Read(), -1);
    const PageCacheLine written[1] = {{"1. Little Bridge", 72, 14}};
    ASSERT_TRUE(LayoutPageCache::WriteText(path.c_str(), written, 1));
    std::ifstream in(victim, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), "keep me");
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(lines[0].name, "1. Little Bridge");
}

TEST_F(LayoutPageCacheTest, LinesWithEitherLineEndAndShortFilesAreTaken) {
    Write("A\t10\t2\r\nB\t20\t4\n");
    ASSERT_EQ(Read(), 2);
    EXPECT_EQ(lines[0].name, "A");
    EXPECT_EQ(lines[1].freeTiles, 4);

    std::string many;
    for (int i = 0; i < 12; ++i) many += "L\t" + std::to_string(i + 1) + "\t1\n";
    Write(many);
    EXPECT_EQ(Read(), 9);
    EXPECT_EQ(lines[8].tiles, 9);

    Write("");
    EXPECT_EQ(Read(), 0);
}

TEST_F(LayoutPageCacheTest, DamagedFilesAskForARebuild) {
    EXPECT_EQ(LayoutPageCache::ReadText((folder / "missing.txt").string().c_str(), &lines), -1);
    const char* damaged[] = {
        "A\t10\n",                    // one count
        "A 10 2\n",                   // no separators
        "A\t10\t11\n",                // more free tiles than tiles
        "A\t-4\t1\n",                 // a negative count
        "A\t12a\t1\n",                // not a plain number
        "A\t401\t2\n",                // more than a layout holds
        "A\t99999999999999999\t1\n",  // overflowing
        "A\t10\t2",                   // cut short: no line end
        "A\t10\t2\n\n",               // an empty line
    };
    for (const char* text : damaged) {
        Write(text);
        EXPECT_EQ(Read(), -1) << text;
    }
    Write(std::string(1200, 'n') + "\t10\t2\n");  // longer than the line buffer
    EXPECT_EQ(Read(), -1);
    EXPECT_EQ(LayoutPageCache::ReadText(path.c_str(), nullptr), -1);
}

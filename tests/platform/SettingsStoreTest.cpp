#include "platform/SettingsStore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

// Every allocation of the test program is counted, so that a test can weigh the work of a call.
// The deletes stay out of line: inlined, the compiler takes their free() for a mismatch.
std::atomic<size_t> g_allocations{0};

void* operator new(size_t size) {
  ++g_allocations;
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {

TEST(SettingsStoreTest, SectionsAndNamesIgnoreCase) {
  SettingsStore store;
  store.Set("", "SoundsOn", "1");
  store.Set("3DSettings", "UseDDTM", "0");
  store.Set("3dsettings", "usedddtm", "x");
  store.Set("3DSETTINGS", "USEDDTM", "1");
  EXPECT_EQ(store.Get("", "soundson"), "1");
  EXPECT_EQ(store.Get("3dSettings", "useddtm"), "1");
  EXPECT_FALSE(store.Get("", "UseDDTM").has_value());
  EXPECT_EQ(store.ToText(), "SoundsOn=1\n\n[3DSettings]\nUseDDTM=1\nusedddtm=x\n");
}

TEST(SettingsStoreTest, TextRoundTripKeepsEveryByte) {
  SettingsStore store;
  const std::string odd = " caf\xE9 \x80\ttab\nline\\ ";
  store.Set("3DSettings", "Text", odd);
  store.Set("", "Empty", "");
  SettingsStore back;
  back.FromText(store.ToText());
  EXPECT_EQ(back.Get("3DSettings", "Text"), odd);
  EXPECT_EQ(back.Get("", "Empty"), "");
  EXPECT_NE(store.ToText().find("caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos);
}

TEST(SettingsStoreTest, DamagedLinesAreSkipped) {
  SettingsStore store;
  store.FromText(
      "# comment\n; other\nA = 1 \r\nno equals sign\n[broken\nB=2\n[]\nC=3\n[Sub]\n=4\nD=5\n\xFF\xFE=6\n");
  EXPECT_EQ(store.Get("", "A"), "1");
  EXPECT_FALSE(store.Get("", "B").has_value());
  EXPECT_FALSE(store.Get("", "C").has_value());
  EXPECT_EQ(store.Get("Sub", "D"), "5");
  EXPECT_FALSE(store.Get("Sub", "").has_value());
}

TEST(SettingsStoreTest, LoadWorkGrowsInProportionToTheSections) {
  const auto allocationsToLoad = [](int sections) {
    std::string text;
    for (int i = 0; i < sections; ++i) text += "[" + std::to_string(i) + "]\nA=1\n";
    SettingsStore store;
    const size_t before = g_allocations;
    store.FromText(text);
    const size_t work = g_allocations - before;
    store.Set("", "Top", "1");
    EXPECT_EQ(store.Get(std::to_string(sections - 1), "a"), "1");
    return work;
  };
  // Twice the sections may take about twice the allocations, not four times as many.
  EXPECT_LT(allocationsToLoad(1000), 3 * allocationsToLoad(500));
}

TEST(SettingsStoreTest, RemoveValuesAndSections) {
  SettingsStore store;
  store.Set("", "A", "1");
  store.Set("S", "B", "2");
  EXPECT_TRUE(store.Remove("", "a"));
  EXPECT_FALSE(store.Remove("", "a"));
  EXPECT_TRUE(store.RemoveSection("s"));
  EXPECT_FALSE(store.Get("S", "B").has_value());
  store.Set("", "bad=name", "x");
  store.Set("", "", "x");
  EXPECT_EQ(store.ToText(), "");
}

TEST(SettingsStoreTest, SaveAndLoad) {
  const std::string path = (std::filesystem::temp_directory_path() / ("qm_store_" + std::to_string(getpid()))).string();
  SettingsStore store;
  store.Set("", "A", "1");
  ASSERT_TRUE(store.Save(path));
  SettingsStore back;
  ASSERT_EQ(back.Load(path), FileRead::kRead);
  EXPECT_EQ(back.Get("", "a"), "1");
  std::ofstream(path, std::ios::binary) << std::string(SettingsStore::kMaxFileSize + 1, 'x');
  EXPECT_EQ(back.Load(path), FileRead::kRefused);
  EXPECT_FALSE(back.Get("", "a").has_value());
  std::filesystem::remove(path);
  EXPECT_EQ(back.Load(path), FileRead::kMissing);
}

}  // namespace

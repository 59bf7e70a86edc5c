// Settings files at the size cap: loading one must take time in proportion to its length (well
// under a second), not to the square of its number of names or of its sections.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/SettingsStore.h"

namespace {

// As many numbered lines as fit in `limit` bytes, each made by `line`.
template <typename Line>
std::string FileOfLines(size_t limit, size_t* count, Line line) {
  std::string text;
  for (*count = 0;; ++*count) {
    const std::string next = line(*count);
    if (text.size() + next.size() > limit) return text;
    text += next;
  }
}

void Parse(benchmark::State& state, const std::string& text, size_t count, const char* counter) {
  for (auto _ : state) {
    SettingsStore store;
    store.FromText(text);
    benchmark::DoNotOptimize(store.Get("", "Name0"));
  }
  state.counters[counter] = static_cast<double>(count);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ParseFullSizeFile(benchmark::State& state) {
  size_t names = 0;
  const std::string text = FileOfLines(SettingsStore::kMaxFileSize, &names,
                                       [](size_t i) { return "Name" + std::to_string(i) + "=1\n"; });
  Parse(state, text, names, "names");
}
BENCHMARK(BM_ParseFullSizeFile)->Unit(benchmark::kMillisecond);

// A quarter of the cap in one-value sections: some 22,000 of them.
void BM_ParseManySections(benchmark::State& state) {
  size_t sections = 0;
  const std::string text = FileOfLines(SettingsStore::kMaxFileSize / 4, &sections,
                                       [](size_t i) { return "[" + std::to_string(i) + "]\nA=1\n"; });
  Parse(state, text, sections, "sections");
}
BENCHMARK(BM_ParseManySections)->Unit(benchmark::kMillisecond);

}  // namespace

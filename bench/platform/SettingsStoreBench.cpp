// A settings file at the size cap, one short name per line: loading it must take time in
// proportion to its length (well under a second), not to the square of its number of names.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/SettingsStore.h"

namespace {

std::string LongestFile(size_t* names) {
  std::string text;
  *names = 0;
  while (true) {
    const std::string line = "Name" + std::to_string(*names) + "=1\n";
    if (text.size() + line.size() > SettingsStore::kMaxFileSize) break;
    text += line;
    ++*names;
  }
  return text;
}

void BM_ParseFullSizeFile(benchmark::State& state) {
  size_t names = 0;
  const std::string text = LongestFile(&names);
  for (auto _ : state) {
    SettingsStore store;
    store.FromText(text);
    benchmark::DoNotOptimize(store.Get("", "Name0"));
  }
  state.counters["names"] = static_cast<double>(names);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseFullSizeFile)->Unit(benchmark::kMillisecond);

}  // namespace

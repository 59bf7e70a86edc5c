// bench-deal: deals every layout of the game at several percents with many seeds, times each
// deal, and checks every deal that the dealer's search reports solvable with BoardSolver.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BoardSolver.h"
#include "game/model/LayoutSource.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

constexpr int kPercents[] = {0, 25, 50, 85, 100};
constexpr int kSeeds = 20;

struct Source {
    std::string file;
    std::string text;
};

std::vector<Source> ReadSources()
{
    std::vector<Source> sources;
    const std::filesystem::path dir = std::filesystem::path(QM_SOURCE_DIR) / "assets" / "layouts";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".layout")
            continue;
        const char* only = std::getenv("QM_BENCH_LAYOUT");
        if (only && entry.path().filename().string().rfind(only, 0) != 0)
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        sources.push_back({entry.path().filename().string(), text.str()});
    }
    std::sort(sources.begin(), sources.end(), [](const Source& a, const Source& b) { return a.file < b.file; });
    return sources;
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(p * (values.size() - 1) + 0.5));
    return values[index];
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::vector<Source> sources = ReadSources();
    if (sources.empty()) {
        std::fprintf(stderr, "no layout sources found\n");
        return 1;
    }
    TileDealer dealer;
    std::vector<double> times;
    long deals = 0;
    long solvable = 0;
    long searchFailed = 0;
    long refuted = 0;
    long unverified = 0;
    std::map<int, std::vector<double>> timesByPercent;
    for (const Source& source : sources) {
        TileLayout layout;
        std::string error;
        if (!ParseLayoutSource(source.text, &layout, &error)) {
            std::fprintf(stderr, "%s: %s\n", source.file.c_str(), error.c_str());
            return 1;
        }
        const auto layoutStart = std::chrono::steady_clock::now();
        double dealMs = 0;
        for (const int percent : kPercents) {
            for (int seed = 1; seed <= kSeeds; ++seed) {
                layout.ClearMarks(true);
                layout.UpdateFreeFlags();
                SRand(static_cast<uint32_t>(seed * 7919 + percent));
                const auto start = std::chrono::steady_clock::now();
                const TileDealer::Result result = dealer.Deal(&layout, percent, 0, false);
                const double ms =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                times.push_back(ms);
                dealMs += ms;
                timesByPercent[percent].push_back(ms);
                ++deals;
                if (result != TileDealer::Result::kSolvable) {
                    ++searchFailed;
                    std::printf("search failed: %s percent %d seed %d (%.1f ms)\n", source.file.c_str(), percent,
                                seed, ms);
                    continue;
                }
                std::vector<SolverTile> tiles;
                for (Tile* t = layout.First(); t; t = layout.Next())
                    tiles.push_back({t->x, t->y, t->z, t->kind, t->fixed});
                BoardSolver solver(std::move(tiles));
                switch (solver.Solve()) {
                case BoardSolver::Verdict::kClearable:
                    ++solvable;
                    break;
                case BoardSolver::Verdict::kStuck:
                    ++refuted;
                    std::printf("solver found no way: %s percent %d seed %d\n", source.file.c_str(), percent, seed);
                    break;
                case BoardSolver::Verdict::kGaveUp:
                    ++unverified;
                    std::printf("solver gave up: %s percent %d seed %d\n", source.file.c_str(), percent, seed);
                    break;
                }
            }
        }
        std::fprintf(stderr, "%s: dealing %.0f ms, all %.0f ms\n", source.file.c_str(), dealMs,
                     std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - layoutStart).count());
    }
    for (const auto& [percent, list] : timesByPercent)
        std::printf("percent %3d: p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", percent, Percentile(list, 0.5),
                    Percentile(list, 0.99), *std::max_element(list.begin(), list.end()));
    std::printf("layouts %zu, search failures %ld, refuted by the solver %ld, left open by the solver %ld\n",
                sources.size(), searchFailed, refuted, unverified);
    std::printf("solvable counts only deals the solver cleared; %.2f%% were not refuted\n",
                100.0 * (deals - searchFailed - refuted) / deals);
    std::printf("deals=%ld solvable-in-budget=%.2f%% p50-ms=%.3f p99-ms=%.3f max-ms=%.3f\n", deals,
                100.0 * solvable / deals, Percentile(times, 0.5), Percentile(times, 0.99),
                *std::max_element(times.begin(), times.end()));
    return 0;
}

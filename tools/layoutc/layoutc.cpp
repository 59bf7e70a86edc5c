// layoutc --id ID SOURCE OUTPUT
// Compiles one layout text source into the "LAYOUTS" record of resource ID, after checking it
// against every rule the game relies on and dealing it with a few seeds: a layout that the
// dealer cannot deal solvable is refused like a malformed one.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "game/model/LayoutCheck.h"
#include "game/model/LayoutSource.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

constexpr int kFirstStoryId = 385;
constexpr int kFirstFreePlayId = 437;
constexpr int kFreePlayLayouts = 126;
constexpr uint32_t kTrialSeeds[] = {1, 2, 3};
constexpr int kTrialPercents[] = {0, 50, 100};

int Usage()
{
    std::fprintf(stderr, "usage: layoutc --id ID SOURCE OUTPUT\n");
    return 2;
}

bool ReadText(const char* path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

bool DealsSolvable(TileLayout* layout, std::vector<std::string>* faults)
{
    TileDealer dealer;
    for (const int percent : kTrialPercents) {
        for (const uint32_t seed : kTrialSeeds) {
            layout->ClearMarks(true);
            layout->UpdateFreeFlags();
            SRand(seed);
            if (dealer.Deal(layout, percent, 0, false) != TileDealer::Result::kSolvable)
                faults->push_back("seed " + std::to_string(seed) + " at " + std::to_string(percent)
                                  + "% does not deal solvable");
        }
    }
    layout->ClearMarks(true);
    return faults->empty();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 || std::strcmp(argv[1], "--id") != 0)
        return Usage();
    char* end = nullptr;
    const long id = std::strtol(argv[2], &end, 10);
    if (*end != '\0')
        return Usage();
    const char* source = argv[3];
    const char* output = argv[4];

    std::string text;
    if (!ReadText(source, &text)) {
        std::fprintf(stderr, "%s: cannot read the source\n", source);
        return 1;
    }
    TileLayout layout;
    std::string error;
    if (!ParseLayoutSource(text, &layout, &error)) {
        std::fprintf(stderr, "%s: %s\n", source, error.c_str());
        return 1;
    }
    std::vector<std::string> faults;
    if (id >= kFirstStoryId && id < kFirstFreePlayId)
        faults = CheckStoryLayout(layout, static_cast<int>(id - kFirstStoryId));
    else if (id >= kFirstFreePlayId && id < kFirstFreePlayId + kFreePlayLayouts)
        faults = CheckFreePlayLayout(layout);
    else
        faults.push_back("resource " + std::to_string(id) + " is no layout of the game");
    if (faults.empty())
        DealsSolvable(&layout, &faults);
    for (const std::string& fault : faults)
        std::fprintf(stderr, "%s: %s\n", source, fault.c_str());
    if (!faults.empty())
        return 1;

    DataStream stream;
    if (!stream.OpenWrite(output) || !layout.SerializeLayout(&stream)) {
        std::fprintf(stderr, "%s: cannot write the layout\n", output);
        return 1;
    }
    stream.Close();
    TileLayout check;
    if (!stream.OpenRead(output) || !check.ParseLayout(&stream) || check.Count() != layout.Count()) {
        std::fprintf(stderr, "%s: the written layout does not read back\n", output);
        return 1;
    }
    return 0;
}

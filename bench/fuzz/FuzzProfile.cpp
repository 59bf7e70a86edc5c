// Fuzz entry of the player profile: the block as the "<id>.usr" of the id it names, as it comes
// and with its trailer mended both ways a profile may be written (over its own bytes, and over
// them and the program folder, as older copies were), read through the file loader. A profile
// that loads holds values the game can use.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/fuzz/FuzzSupport.h"
#include "framework/core/DataStream.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"

namespace {

constexpr const char* kProgramFolder = "/opt/quillomar/";

void Load(const uint8_t* data, size_t size) {
    // The id the record names, so that the loader's check of it can pass.
    PlayerProfile probe;
    DataStream stream;
    stream.OpenMemory(data, size);
    probe.SerializeState(&stream);
    const int32_t id = probe.id < 0 ? 0 : probe.id;
    if (!WriteFuzzFile(PlayerProfile::MakeProfileFileName(id).CStr(), data, size)) return;
    PlayerProfile profile;
    if (!profile.Load(id, "Fuzz")) return;
    if (profile.currentLayout < 0 || profile.currentLayout >= PlayerProfile::kFreeLayouts ||
        profile.storyLevelsDone < 0 || profile.storyLevelsDone > PlayerProfile::kStoryLevels) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PlayerFolders::Set(FuzzScratchFolder().c_str(), kProgramFolder);
    Load(data, size);
    const std::vector<uint8_t> mended = WithRecordTrailer(data, size);
    Load(mended.data(), mended.size());
    const std::vector<uint8_t> older = WithRecordTrailer(data, size, kProgramFolder);
    Load(older.data(), older.size());
    return 0;
}

#pragma once
// One player's settings, best results per free-play layout and per story level, and story
// progress, kept in "<id>.usr" in the player folder. The record's CRC covers its bytes alone, so
// a profile follows its player whichever copy of the program runs. Files from builds that also
// folded the program folder's path into the CRC still validate where they were written, and are
// rewritten in today's form as they are read.
#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/Serializable.h"
#include "framework/core/String.h"

class DataStream;

class PlayerProfile : public Serializable {
public:
    static constexpr int32_t kMagic = 0x5152;  // "QR"
    static constexpr int32_t kVersion = 1;
    static constexpr int kLayoutSlots = 150;
    // Free-play layouts in use; a stored current layout beyond them is taken back to the first.
    static constexpr int kFreeLayouts = 126;
    static constexpr int kStoryLevels = 52;
    static constexpr int32_t kMaxTime = 35999;
    // A time slot holding this has no time recorded yet.
    static constexpr int32_t kNoTime = 36000;
    static constexpr int kTileSets = 6;
    static constexpr int kBackgrounds = 15;
    static constexpr int32_t kRotateBackgrounds = -1;
    static constexpr int kKeptCopies = 100;

    explicit PlayerProfile(int32_t id = -1);
    PlayerProfile(const PlayerProfile&) = default;
    PlayerProfile& operator=(const PlayerProfile&) = default;
    ~PlayerProfile() override = default;

    void Serialize(DataStream* stream) override { SerializeState(stream); }
    // Transfers every field and ends the record (the CRC trailer over the bytes and the
    // program folder's path).
    virtual void SerializeState(DataStream* stream);

    // Every field to its default and `id` as given; the name stays.
    void Reset(int32_t id);
    // Reads the file of `id`. A missing or invalid file (magic, version, stored id, CRC) leaves
    // the defaults with `name`; a valid one is taken whole, its odd values brought into range.
    // A file that is there but cannot be read (another user's, a disk error, not a plain file)
    // leaves the defaults too, and is never written over until a later Load reads it.
    // Answers whether the file was valid.
    bool Load(int32_t id, const String& name);
    // Writes the file of the profile's own id; nothing for id -1, nor while the file could not
    // be read. Answers whether the whole record reached the disk (a failed write leaves the
    // previous file as it was). A file that failed its check when this profile was loaded is
    // first moved aside to the first free name of its kept copies, so the defaults never take
    // the place of a record someone may still recover; when every name is taken it stays, and
    // nothing is written. A failed write is noted in PlayerFilesNotice; the save that follows
    // tries again. A save that succeeds also writes the player list when its last save failed.
    bool Save();
    // True once after a Load that could not read the file, so the player is told one time
    // that this session's progress will not be kept.
    bool TakeUnreadableNotice();

    static String MakeProfileFileName(int32_t id);
    // Saved games of this profile: free play, and story levels.
    String MakeSaveFileName(int index) const;
    String MakeSaveFileNameD(int index) const;
    // The pattern of every saved game of player `id`; `folder`, when given, receives the folder.
    static String MakeSaveMaskName(int32_t id, String* folder = nullptr);
    // Damaged profiles of player `id` kept for recovery: "<id>.usr.bad" for copy 0, then
    // "<id>.usr.bad1", "<id>.usr.bad2" and so on up to kKeptCopies of them (past them a damaged
    // file stays where it is); and the pattern of them all.
    static String MakeKeptCopyName(int32_t id, int copy);
    static String MakeKeptCopyMaskName(int32_t id);

    int32_t id = -1;
    String name;
    bool autoHint = true;
    bool veil = true;
    int32_t currentLayout = 0;
    int32_t dealPercent = 25;
    int32_t freeTileSet = 1;
    int32_t background = kRotateBackgrounds;
    bool firstGameTip = false;
    std::array<int32_t, kLayoutSlots> bestTimes{};
    std::array<int32_t, kLayoutSlots> bestScores{};
    int32_t storyLevelsDone = 0;
    int32_t storyTileSet = 0;
    std::array<int32_t, kStoryLevels> storyTimes{};
    std::array<int32_t, kStoryLevels> storyScores{};
    bool showLeaveNotice = true;
    int32_t magic = 0;
    int32_t version = 0;

private:
    // The last Load found a file that failed its check; Save moves it aside before writing.
    bool keepAside_ = false;
    // The last Load found a file it could not read; Save leaves it alone.
    bool unreadable_ = false;
    bool unreadableNotice_ = false;

    // Moves a damaged file aside when due, then writes the record to `fileName`.
    bool Write(const String& fileName);
    // The transfer; answers the trailer's result (written completely, or read and matching).
    // `withProgramFolder` folds the program folder's path into the CRC, as older files have it.
    bool Transfer(DataStream* stream, bool withProgramFolder);
    // Reads a file's bytes into this record; true when they are a sound profile of player
    // `playerId`.
    bool ReadBytes(const std::vector<uint8_t>& bytes, int32_t playerId, bool withProgramFolder);
    // Brings values a valid file may still hold out of range back to what the game can use.
    void Normalize();
};

// The current player's profile, shared by the whole game.
PlayerProfile& CurrentProfile();

#pragma once
// The named players in order of addition and which one is current, kept in "list.usr" in the
// player folder.
#include <cstdint>
#include <vector>

#include "framework/core/Serializable.h"
#include "framework/core/String.h"

class DataStream;

class PlayerList : public Serializable {
public:
    static constexpr int32_t kMagic = 0x4C49;  // "LI"
    static constexpr int32_t kVersion = 1;
    // More players than a list box can reasonably show; also keeps every id within the file's
    // 16-bit fields.
    static constexpr int kMaxPlayers = 1000;
    // Longest name the new-player box accepts. Longer names read from a file (the box lays out
    // only that many) are cut to it.
    static constexpr int kMaxNameLength = 100;

    struct Entry {
        int32_t id;
        String name;
    };

    PlayerList() = default;
    PlayerList(const PlayerList&) = delete;
    PlayerList& operator=(const PlayerList&) = delete;
    ~PlayerList() override = default;

    void Serialize(DataStream* stream) override { SerializeState(stream); }
    // Writing transfers the list and its trailer. Reading replaces the list only when the whole
    // record is sound: magic, version, a count the data can hold, distinct ids of 0 or more and
    // the CRC (the record ends at its trailer); anything else leaves the list untouched. A current
    // id the list does not hold gives way to the first player (none in an empty list).
    virtual void SerializeState(DataStream* stream);

    static String FileName();
    // Reads "list.usr". When it is missing or unsound, the list is rebuilt from the valid
    // profile files in the folder, so a damaged list never hides the players' own files; with
    // none the list is empty and no player is current. A list that is there but cannot be read
    // (another user's, a disk error, not a plain file) is rebuilt the same way for this run, and
    // never written over until a later Load reads it. Answers whether the file was sound.
    bool Load();
    // Writes "list.usr"; the previous file stays unless the whole record was written. Nothing
    // while the file could not be read. A failed write is noted in PlayerFilesNotice; the save
    // that follows tries again.
    bool Save();
    // True once after a Load that could not read the file, so the player is told one time
    // that this session will not be kept.
    bool TakeUnreadableNotice();

    // Adds a player under the lowest id that neither an entry nor a profile file the rebuilt
    // list could not read uses, and sets the changed flag; -1 when the list is full.
    int32_t Add(const String& name);
    void Remove(int32_t id);
    // "Player 1" for an id the list does not hold.
    String NameOf(int32_t id) const;
    int IndexOfCurrent() const;
    // Makes the player at `index` current; -1 (and none current) when there is none there.
    int32_t SelectIndex(int index);
    void Clear();

    int Count() const { return static_cast<int>(entries_.size()); }
    const Entry& At(int index) const { return entries_[index]; }
    int32_t CurrentId() const { return currentId_; }
    void SetCurrentId(int32_t id) { currentId_ = id; }
    bool IsChanged() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

private:
    void Recover();

    std::vector<Entry> entries_;
    // Ids of profile files a rebuild found but could not read: their player may still come back,
    // so no new player takes them.
    std::vector<int32_t> heldIds_;
    int32_t magic_ = 0;
    int32_t version_ = 0;
    int32_t currentId_ = -1;
    bool changed_ = false;
    bool readOk_ = false;
    // The last Load found a file it could not read; Save leaves it alone.
    bool unreadable_ = false;
    bool unreadableNotice_ = false;
};

// The game's one player list.
PlayerList& ThePlayerList();

#pragma once
// A game in progress as it is kept on disk between leaving a layout or level and opening it
// again: who played what, the score, the time, the move number and the board's state.
#include <cstdint>
#include <span>

#include "framework/core/Serializable.h"

class DataStream;
class TileLayout;

class SavedGameRecord : public Serializable {
public:
    static constexpr int32_t kMagic = 19795;  // "MS"
    static constexpr int32_t kVersion = 1;
    static constexpr int32_t kMaxSeconds = 35999;
    // The largest record a layout of the most tiles can make (every tile linked), with room to
    // spare; a bigger file is not a saved game.
    static constexpr size_t kMaxFileBytes = 8192;

    enum Mode { kStory = 0, kFreePlay = 1 };

    // The payload is the board's layout; it is not owned.
    explicit SavedGameRecord(TileLayout* payload) : payload_(payload) {}
    ~SavedGameRecord() override = default;

    void Serialize(DataStream* stream) override { SerializeState(stream); }
    // Writing stamps magic and version, then every field, the board state and the trailer.
    // Reading fills the fields and reads the board state straight into the payload.
    virtual void SerializeState(DataStream* stream);

    bool IsValid() const { return magic == kMagic && version == kVersion; }
    // Whether the last read ended with a matching trailer.
    bool CrcOk() const { return crcOk_; }

    // Writes the record to `fileName` through a temporary file, so a failed write leaves an
    // earlier file whole. True when the whole record reached the disk.
    bool Save(const char* fileName);

    // Reads `fileName` and, only when it is a sound record of this mode, index and player whose
    // board state fits the payload layout, applies it to the payload and answers true. A file
    // that is missing, short, oversized, damaged or of another game leaves the payload as it was.
    bool Load(const char* fileName, int32_t expectedMode, int32_t expectedIndex,
              int32_t expectedPlayer);
    // The same over a record held in memory.
    bool LoadFrom(std::span<const uint8_t> bytes, int32_t expectedMode, int32_t expectedIndex,
                  int32_t expectedPlayer);

    int32_t mode = kFreePlay;
    int32_t index = 0;
    int32_t playerId = 0;
    int32_t score = 0;
    int32_t elapsed = 0;  // whole seconds
    int32_t moveNumber = 0;
    int32_t magic = 0;
    int32_t version = 0;

private:
    bool ReadInto(TileLayout* layout, std::span<const uint8_t> bytes);

    TileLayout* payload_;
    bool crcOk_ = false;
};

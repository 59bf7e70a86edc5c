#include "game/play/SavedGameRecord.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/core/DataStream.h"
#include "game/model/TileLayout.h"
#include "platform/RegularFile.h"

namespace {

// A layout with the same tiles, kinds and preset flags as `source`, for reading a record
// before it is trusted.
std::unique_ptr<TileLayout> CopyOf(TileLayout& source)
{
    auto copy = std::make_unique<TileLayout>();
    for (int i = 0; i < source.Count(); ++i) {
        const Tile* tile = source.TileAt(i);
        auto clone = std::make_unique<Tile>(tile->x, tile->y, tile->z, tile->kind);
        clone->fixed = tile->fixed;
        copy->Append(std::move(clone));
    }
    return copy;
}

// What the board can play from: known kinds, removals no later than the last move, links from
// a removed tile to a wild's place.
bool StateIsPlayable(TileLayout& layout, int32_t moveNumber)
{
    for (int i = 0; i < layout.Count(); ++i) {
        const Tile* tile = layout.TileAt(i);
        if (tile->kind < 0 || tile->kind > kKindLast) return false;
        if (tile->removedAt < 0 || tile->removedAt > moveNumber) return false;
        if (tile->link && (tile->OnBoard() || tile->link == tile)) return false;
    }
    return true;
}

bool ReadFile(const char* fileName, std::vector<uint8_t>* bytes)
{
    return fileName && ReadRegularFile(fileName, SavedGameRecord::kMaxFileBytes, FileLinks::kRefuse, bytes) ==
                           FileRead::kRead;
}

}  // namespace

void SavedGameRecord::SerializeState(DataStream* stream)
{
    if (stream->GetMode() == DataStream::kWrite) {
        magic = kMagic;
        version = kVersion;
    }
    stream->TransferShort(&magic);
    stream->TransferChar(&version);
    stream->TransferChar(&mode);
    stream->TransferShort(&index);
    stream->TransferShort(&playerId);
    stream->TransferInt(&score);
    stream->TransferUShort(&elapsed);
    stream->TransferShort(&moveNumber);
    if (payload_) payload_->SerializeState(stream);
    crcOk_ = stream->Finish();
}

bool SavedGameRecord::Save(const char* fileName)
{
    if (!fileName || !payload_) return false;
    DataStream stream;
    if (!stream.OpenWrite(fileName)) return false;
    elapsed = std::min(std::max(elapsed, 0), kMaxSeconds);
    SerializeState(&stream);
    return crcOk_;
}

bool SavedGameRecord::ReadInto(TileLayout* layout, std::span<const uint8_t> bytes)
{
    TileLayout* live = payload_;
    payload_ = layout;
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    SerializeState(&stream);
    payload_ = live;
    return crcOk_;
}

bool SavedGameRecord::LoadFrom(std::span<const uint8_t> bytes, int32_t expectedMode,
                               int32_t expectedIndex, int32_t expectedPlayer)
{
    if (!payload_ || bytes.empty() || bytes.size() > kMaxFileBytes) return false;
    std::unique_ptr<TileLayout> trial = CopyOf(*payload_);
    const bool sound = ReadInto(trial.get(), bytes) && IsValid() && mode == expectedMode &&
                       index == expectedIndex && playerId == expectedPlayer &&
                       moveNumber >= 0 && StateIsPlayable(*trial, moveNumber);
    if (!sound) return false;
    // The same bytes again, now into the board.
    if (!ReadInto(payload_, bytes)) return false;
    elapsed = std::min(elapsed, kMaxSeconds);
    score = std::max(score, 0);
    return true;
}

bool SavedGameRecord::Load(const char* fileName, int32_t expectedMode, int32_t expectedIndex,
                           int32_t expectedPlayer)
{
    std::vector<uint8_t> bytes;
    if (!ReadFile(fileName, &bytes)) return false;
    return LoadFrom(bytes, expectedMode, expectedIndex, expectedPlayer);
}

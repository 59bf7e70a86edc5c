#pragma once
// The tiles of one board, in the order of their layout resource (ascending layer), and every
// question the dealer, the board and the hints ask of them. The layout owns its tiles.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/core/Serializable.h"
#include "framework/core/String.h"
#include "game/model/Tile.h"

class DataStream;

// Per-kind counters for kinds 1 to 42, counter kind - 1.
using KindCounts = std::array<int, 42>;

class TileLayout : public Serializable {
public:
    static constexpr int32_t kMagic = 19788;  // "ML"
    static constexpr int32_t kVersion = 1;
    // The dealer's working lists hold 400 tiles; a layout resource with more is refused.
    static constexpr int kMaxTiles = 400;

    TileLayout() = default;
    TileLayout(const TileLayout&) = delete;
    TileLayout& operator=(const TileLayout&) = delete;
    ~TileLayout() override = default;

    // The board-state record of a saved game.
    void Serialize(DataStream* stream) override { SerializeState(stream); }
    virtual void SerializeState(DataStream* stream);
    // The "LAYOUTS" resource format. Reading answers whether the record was well formed:
    // magic, version, a tile count that the data can hold, layers ascending from 0, kinds 0-47.
    // A malformed record stops reading at the first fault.
    virtual bool SerializeLayout(DataStream* stream);

    // Resource `id` of type "LAYOUTS" of the asset module; false (and empty) when it is missing
    // or damaged.
    bool LoadFromResource(int id);
    // Replaces the tiles by the record in the stream; on any fault the layout is left empty.
    bool ParseLayout(DataStream* stream);

    // Deletes every tile: pointers to them are invalid afterwards.
    void Clear();
    void AddTile(int x, int y, int z, TileKind kind);
    void Append(std::unique_ptr<Tile> tile);

    Tile* First();
    Tile* Next();
    int IndexOf(const Tile* tile) const;
    Tile* TileAt(int index) const;
    int Count() const { return static_cast<int>(tiles_.size()); }
    bool HasFixed() const { return hasFixed_; }
    const String& Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    int32_t Magic() const { return magic_; }
    int32_t Version() const { return version_; }

    void ClearMarks(bool clearUnfixedKinds);
    bool IsFree(int x, int y, int z) const;
    void UpdateFreeFlags();
    bool UpdateFreeFlag(Tile* tile);
    Tile* HitTest(int px, int py, int* layer, int* x, int* y) const;

    // Collecting queries fill `out` in list order and answer how many tiles qualified, which
    // may exceed out.size(); the freed-by queries answer how many they stored.
    int CollectFree(std::span<Tile*> out) const;
    int CollectByKind(TileKind kind, std::span<Tile*> out) const;
    int CollectFreeSpecials(std::span<Tile*> out) const;
    int CollectByRemoved(int move, std::span<Tile*> out) const;
    int CollectByGroup(int group, std::span<Tile*> out) const;
    int CollectFreedBy(std::span<Tile* const> removed, std::span<Tile*> out, bool flag);
    int CollectFreedByPair(Tile* a, Tile* b, std::span<Tile*> out, bool flag);
    int CollectNthPairKind(int n, std::span<Tile*> out) const;

    int CountUndealt() const;
    int CountDealtLeft() const;
    int TilesLeft() const;
    void CountMoves(int* pairs, int* tilesLeft, int* kindsWithPair) const;
    int CountFreeExitTiles() const;
    bool HasTwoFreeFlowers() const;
    int CountFixedByKind(KindCounts* counts) const;
    void ClearUnfixedKinds(KindCounts* counts);
    void ClearGroups();
    void ConvertLinkedToWild();
    void LowestKindPair(Tile** first, Tile** second) const;
    int RemoveNormalTiles();
    int RemoveSpecialTiles();
    bool IsVisible(const Tile* tile) const;

private:
    bool ReadLayout(DataStream* stream);
    // Free tiles on the board counted by kind below 44, seasons and flowers folded.
    std::array<int, 44> CountFreeByFoldedKind() const;

    std::vector<std::unique_ptr<Tile>> tiles_;
    size_t cursor_ = 0;
    bool hasFixed_ = false;
    int32_t magic_ = 0;
    int32_t version_ = 0;
    String name_;
};

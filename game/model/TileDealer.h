#pragma once
// Gives every undealt tile of a layout a kind so that the board can be cleared. It plays the
// board through first, removing pairs of free undealt tiles in a random depth-first search,
// notes which removed pairs share a kind (pairs, or groups of four), and only then hands kinds
// out to those groups from a pool of 36 kind slots. When the search fails or runs out of time
// the tiles get random kinds from the same pool. Every draw comes from our own seeded
// generator, so one seed, percent and layout give one deal whenever the search finishes.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

class Tile;
class TileLayout;

class TileDealer {
public:
    // Milliseconds of a monotonic clock; it may wrap.
    using Clock = uint32_t (*)();

    enum class Result {
        kNothing,   // nothing to deal, or an odd number of undealt tiles
        kSolvable,  // dealt from a finished search: the board can be cleared
        kRandom,    // dealt at random: the board may have no solution
    };

    static constexpr int kSlots = 36;           // kinds 1-34, all seasons, all flowers
    static constexpr int kMaxCandidates = 400;  // free tiles tried at one depth
    static constexpr int kMaxFreed = 20;        // tiles one removal can free
    static constexpr int kMaxDepth = 400;       // removals (a pair, or a wild alone)
    static constexpr int kBatchTiles = 144;     // four copies of each slot
    static constexpr uint32_t kNewDealBudgetMs = 2000;
    static constexpr uint32_t kReshuffleBudgetMs = 1000;

    TileDealer();
    explicit TileDealer(Clock clock);
    TileDealer(const TileDealer&) = delete;
    TileDealer& operator=(const TileDealer&) = delete;
    virtual ~TileDealer() = default;

    // The caller has seeded the generator, computed the free flags and, for a new deal,
    // cleared the kinds of the unfixed tiles. `percent` (how much the deal groups tiles in
    // fours) is clamped to 0-100. A reshuffle deals again the kinds of the unfixed tiles still
    // on the board.
    Result Deal(TileLayout* layout, int percent, int moveNumber, bool reshuffle);
    // Every undealt tile on the board gets a random kind from the pool.
    void DealRandomly();

    // The pool's counter of each slot: how many tiles it will still receive.
    const std::array<int, kSlots>& Pool() const { return pool_; }
    int TotalQuads() const { return totalQuads_; }
    int TotalPairs() const { return totalPairs_; }

private:
    void BuildPool(int n);
    void AddGroupToPool(std::array<int, kSlots>* batch, int size, int* empty, int* full);
    void HandOutFaces(int slot, std::array<int, 4>* faces, std::array<int, 4> fixedFaces);
    bool Search(int depth, int n, int pending);
    bool RemovePairAndRecurse(Tile* a, Tile* b, int n, int depth, int pending);
    void MarkRemoved(Tile* tile, bool checkExit);
    void UnmarkRemoved(Tile* tile);
    int GroupPair(Tile* a, Tile* b, Tile* freed, int* pending);
    void RecordGroup(Tile* a, Tile* b);
    bool CheckBudget();
    bool AssignKinds();
    bool AssignGroupKind(std::span<Tile* const> tiles, int copies, int* available);
    void PickFace(Tile* tile, int total, int slot);
    void CoverUndealt(int undealt);
    Tile** Candidates(int depth) { return &candidates_[static_cast<size_t>(depth) * kMaxCandidates]; }
    Tile** Freed(int depth) { return &freed_[static_cast<size_t>(depth) * kMaxFreed]; }

    Clock clock_;
    TileLayout* layout_ = nullptr;
    int percent_ = 0;
    int step_ = 0;

    std::array<int, kSlots> pool_{};
    std::array<int, 4> seasonFaces_{};
    std::array<int, 4> flowerFaces_{};
    int totalQuads_ = 0;
    int totalPairs_ = 0;

    std::vector<Tile*> candidates_;
    std::vector<Tile*> freed_;
    std::vector<Tile*> list45_;
    int untaken45_ = 0;
    int dealtLeft_ = 0;
    int removed_ = 0;
    int removedUndealt_ = 0;
    int tilesLeft_ = 0;
    bool exitRemoved_ = false;
    // Groups found by a successful search, recorded as it unwinds.
    std::vector<Tile*> quadList_;
    std::vector<Tile*> pairList_;
    int budgetCounter_ = 0;
    uint32_t startTick_ = 0;
    uint32_t budget_ = 0;
};

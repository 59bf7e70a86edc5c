#include "game/model/TileDealer.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "game/model/TileLayout.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

namespace {

constexpr int kSeasonSlot = 34;
constexpr int kFlowerSlot = 35;

// rand() mod bound, 0 for an empty range.
int RandBelow(int bound) { return bound > 0 ? Rand() % bound : 0; }

int Sum(std::span<const int> values) { return std::accumulate(values.begin(), values.end(), 0); }

}  // namespace

TileDealer::TileDealer() : TileDealer(&TickCount) {}

TileDealer::TileDealer(Clock clock)
    : clock_(clock),
      candidates_(static_cast<size_t>(kMaxDepth) * kMaxCandidates),
      freed_(static_cast<size_t>(kMaxDepth) * kMaxFreed)
{
    list45_.reserve(kMaxCandidates);
    quadList_.reserve(kMaxCandidates);
    pairList_.reserve(kMaxCandidates);
}

TileDealer::Result TileDealer::Deal(TileLayout* layout, int percent, int moveNumber, bool reshuffle)
{
    if (!layout)
        return Result::kNothing;
    layout_ = layout;
    // The percent comes from a profile or a level table: out of range it would plan more
    // groups than the slots can hold.
    percent_ = std::clamp(percent, 0, 100);
    step_ = moveNumber;
    const int n = layout->CountUndealt();
    if ((n == 0 && !reshuffle) || n % 2 != 0)
        return Result::kNothing;

    if (reshuffle) {
        KindCounts counts{};
        layout->ClearUnfixedKinds(&counts);
        std::copy_n(counts.begin(), kSeasonSlot, pool_.begin());
        std::copy_n(counts.begin() + kSeasonSlot, 4, seasonFaces_.begin());
        std::copy_n(counts.begin() + kSeasonSlot + 4, 4, flowerFaces_.begin());
        pool_[kSeasonSlot] = Sum(seasonFaces_);
        pool_[kFlowerSlot] = Sum(flowerFaces_);
    } else {
        BuildPool(n);
    }

    list45_.clear();
    dealtLeft_ = 0;
    if (layout->HasFixed()) {
        // Only the 45s still on the board wait for a 44: one matched before a reshuffle is
        // gone, and counting it would keep the search from ever clearing the board.
        for (Tile* tile = layout->First(); tile; tile = layout->Next()) {
            if (tile->kind == kKindComplementSecond && tile->OnBoard() &&
                static_cast<int>(list45_.size()) < kMaxCandidates)
                list45_.push_back(tile);
        }
        dealtLeft_ = layout->CountDealtLeft();
    }
    untaken45_ = static_cast<int>(list45_.size());

    exitRemoved_ = false;
    layout->ClearGroups();
    tilesLeft_ = layout->TilesLeft();
    removed_ = 0;
    removedUndealt_ = 0;
    budgetCounter_ = 0;
    startTick_ = clock_();
    budget_ = reshuffle ? kReshuffleBudgetMs : kNewDealBudgetMs;
    quadList_.clear();
    pairList_.clear();

    // A reshuffle of an odd number of tiles (a wild took one of a pair) cannot be paired off.
    const bool pairable = layout->CountUndealt() % 2 == 0;
    Tile** first = Candidates(0);
    const int count = std::min(layout->CollectFree(std::span<Tile*>(first, kMaxCandidates)), kMaxCandidates);
    for (int i = 0; i < count; ++i)
        std::swap(first[i], first[RandBelow(count)]);

    if (pairable && Search(0, count, 0) && AssignKinds())
        return Result::kSolvable;
    DealRandomly();
    return Result::kRandom;
}

void TileDealer::BuildPool(int n)
{
    pool_.fill(0);
    seasonFaces_.fill(0);
    flowerFaces_.fill(0);
    totalQuads_ = 0;
    totalPairs_ = 0;

    std::array<int, kSlots> fixed{};
    std::array<int, 4> fixedSeasons{};
    std::array<int, 4> fixedFlowers{};
    if (layout_->HasFixed()) {
        KindCounts counts{};
        layout_->CountFixedByKind(&counts);
        std::copy_n(counts.begin(), kSeasonSlot, fixed.begin());
        std::copy_n(counts.begin() + kSeasonSlot, 4, fixedSeasons.begin());
        std::copy_n(counts.begin() + kSeasonSlot + 4, 4, fixedFlowers.begin());
        fixed[kSeasonSlot] = Sum(fixedSeasons);
        fixed[kFlowerSlot] = Sum(fixedFlowers);
    }

    while (n > 0) {
        std::array<int, kSlots> batch{};
        int empty = kSlots;
        int full = 0;
        int f = 0;
        for (int s = 0; s < kSlots; ++s) {
            if (fixed[s] == 0)
                continue;
            batch[s] = std::min(fixed[s], 4);
            --empty;
            full += batch[s] == 4;
            f += batch[s];
        }
        // Whole pairs only, so every batch pool sums to the tiles it plans.
        const int k = std::min(n, (kBatchTiles - f) & ~1);
        const int quads = (k / 4) * percent_ / 100;
        const int pairs = (k - 4 * quads) / 2;
        totalQuads_ += quads;
        totalPairs_ += pairs;
        for (int i = 0; i < quads; ++i)
            AddGroupToPool(&batch, 4, &empty, &full);
        for (int i = 0; i < pairs; ++i)
            AddGroupToPool(&batch, 2, &empty, &full);
        for (int s = 0; s < kSlots; ++s) {
            const int taken = std::min(fixed[s], 4);
            batch[s] -= taken;
            fixed[s] -= taken;
            pool_[s] += batch[s];
        }
        n -= k;
        if (k == 0 && f == 0)
            break;
    }

    HandOutFaces(kSeasonSlot, &seasonFaces_, fixedSeasons);
    HandOutFaces(kFlowerSlot, &flowerFaces_, fixedFlowers);
}

void TileDealer::HandOutFaces(int slot, std::array<int, 4>* faces, std::array<int, 4> fixedFaces)
{
    // Faces go round in turn; a face that already has preset copies lets them stand for its
    // turns first, so every face ends with about the same number of tiles.
    for (int i = 0, handed = 0; handed < pool_[slot]; ++i) {
        int& preset = fixedFaces[i % 4];
        if (preset > 0) {
            --preset;
        } else {
            ++(*faces)[i % 4];
            ++handed;
        }
    }
}

void TileDealer::AddGroupToPool(std::array<int, kSlots>* batch, int size, int* empty, int* full)
{
    const bool wantEmpty = size == 4 || *empty > 0;
    const int target = wantEmpty ? RandBelow(*empty) : RandBelow(kSlots - *full);
    auto eligible = [&](int count) {
        if (size == 4)
            return count == 0 || (*empty == 0 && count < 4);
        return *empty > 0 ? count == 0 : count < 4;
    };
    const int candidates = static_cast<int>(std::count_if(batch->begin(), batch->end(), eligible));
    int chosen = 0;
    if (candidates == 0) {
        // Preset tiles can leave no slot with room; the least filled one takes the group.
        chosen = static_cast<int>(std::min_element(batch->begin(), batch->end()) - batch->begin());
    } else {
        for (int s = 0, seen = 0;; s = (s + 1) % kSlots) {
            if (!eligible((*batch)[s]))
                continue;
            if (seen++ == target) {
                chosen = s;
                break;
            }
        }
    }
    int& count = (*batch)[chosen];
    if (count == 0)
        --*empty;
    if (count < 4 && count + size >= 4)
        ++*full;
    count += size;
}

bool TileDealer::Search(int depth, int n, int pending)
{
    if (untaken45_ + removed_ == tilesLeft_)
        return true;
    if (exitRemoved_ && dealtLeft_ + removed_ == tilesLeft_)
        return true;
    if (n < 1 || depth + 1 >= kMaxDepth)
        return false;
    const bool hasFixed = layout_->HasFixed();
    Tile** candidates = Candidates(depth);
    for (int i = 0; i < n; ++i) {
        if (!CheckBudget())
            return false;
        Tile* a = candidates[i];
        if (hasFixed && a->kind == kKindComplementFirst) {
            for (int j = static_cast<int>(list45_.size()) - 1; j >= 0; --j) {
                if (list45_[j]->removedAt != 0)
                    continue;
                --untaken45_;
                if (RemovePairAndRecurse(a, list45_[j], n, depth, pending))
                    return true;
                ++untaken45_;
            }
            continue;
        }
        if (hasFixed && a->kind == kKindComplementSecond)
            continue;
        if (hasFixed && IsWild(a->kind)) {
            if (RemovePairAndRecurse(a, nullptr, n, depth, pending))
                return true;
            continue;
        }
        for (int j = i + 1; j < n; ++j) {
            if (!CheckBudget())
                return false;
            Tile* b = candidates[j];
            if (SameKind(a->kind, b->kind) && RemovePairAndRecurse(a, b, n, depth, pending))
                return true;
        }
    }
    return false;
}

void TileDealer::MarkRemoved(Tile* tile, bool checkExit)
{
    tile->removedAt = step_;
    ++removed_;
    if (tile->kind != kKindUndealt)
        --dealtLeft_;
    else
        ++removedUndealt_;
    if (checkExit && tile->kind == kKindExit)
        exitRemoved_ = true;
}

void TileDealer::UnmarkRemoved(Tile* tile)
{
    tile->removedAt = 0;
    --removed_;
    if (tile->kind != kKindUndealt)
        ++dealtLeft_;
    else
        --removedUndealt_;
    if (tile->kind == kKindExit)
        exitRemoved_ = false;
}

bool TileDealer::RemovePairAndRecurse(Tile* a, Tile* b, int n, int depth, int pending)
{
    ++step_;
    MarkRemoved(a, true);
    if (b)
        MarkRemoved(b, false);

    Tile** current = Candidates(depth);
    Tile** next = Candidates(depth + 1);
    int c = 0;
    for (int i = 0; i < n; ++i) {
        if (current[i] != a && current[i] != b)
            next[c++] = current[i];
    }
    Tile** freed = Freed(depth);
    const int f = layout_->CollectFreedByPair(a, b, std::span<Tile*>(freed, kMaxFreed), true);
    const int total = std::min(c + f, kMaxCandidates);
    std::copy_n(freed, total - c, next + c);
    const int bound = std::min(c + f * percent_ / 100, total);
    for (int i = 0; i < c / 2; ++i)
        std::swap(next[i], next[RandBelow(bound)]);

    int grouped = 0;
    Tile* partner = nullptr;
    if (a->kind != kKindUndealt) {
        a->group = -1;
        a->quad = false;
        if (b) {
            b->group = -1;
            b->quad = false;
        }
    } else {
        if (f > 0) {
            partner = freed[RandBelow(f)];
            if (partner->kind != kKindUndealt)
                partner = nullptr;
        }
        grouped = GroupPair(a, b, partner, &pending);
    }

    const bool found = Search(depth + 1, total, pending);
    if (found && a->kind == kKindUndealt)
        RecordGroup(a, b);

    --step_;
    UnmarkRemoved(a);
    if (b)
        UnmarkRemoved(b);
    for (int i = 0; i < f; ++i)
        freed[i]->free = false;
    if (grouped & 1)
        a->group = 0;
    if ((grouped & 2) && b)
        b->group = 0;
    if ((grouped & 4) && partner)
        partner->group = 0;
    a->quad = false;
    return found;
}

int TileDealer::GroupPair(Tile* a, Tile* b, Tile* freed, int* pending)
{
    if (!b || a->kind != kKindUndealt || b->kind != kKindUndealt)
        return 0;
    int grouped = 0;
    if (a->group > 0) {
        b->group = a->group;
        a->quad = true;
        *pending = 0;
        grouped = 2;
    } else if (b->group > 0) {
        a->group = b->group;
        a->quad = true;
        *pending = 0;
        grouped = 1;
    } else if (*pending > 0) {
        a->group = *pending;
        b->group = *pending;
        a->quad = true;
        *pending = 0;
        grouped = 3;
    } else {
        const int group = removed_;
        a->group = group;
        b->group = group;
        grouped = 3;
        if (freed && Rand() % 100 < percent_ / 2) {
            freed->group = group;
            grouped |= 4;
            *pending = 0;
        } else {
            *pending = Rand() % 100 >= percent_ ? group : 0;
        }
    }
    return grouped;
}

void TileDealer::RecordGroup(Tile* a, Tile* b)
{
    if (a->kind != kKindUndealt || a->group <= 0 || !b)
        return;
    if (a->quad) {
        const int group = a->group;
        a->group = 0;
        b->group = 0;
        Tile* others[2] = {};
        if (layout_->CollectByGroup(group, others) == 2) {
            for (Tile* tile : {a, b, others[0], others[1]})
                quadList_.push_back(tile);
            others[0]->group = 0;
            others[1]->group = 0;
            return;
        }
    }
    // A plain pair, or a group of four that came apart: the pair keeps one kind of its own.
    a->group = 0;
    b->group = 0;
    pairList_.push_back(a);
    pairList_.push_back(b);
}

bool TileDealer::CheckBudget()
{
    if (budgetCounter_ == -1)
        return false;
    if (budgetCounter_++ <= 1000)
        return true;
    budgetCounter_ = 0;
    // Elapsed time, so a clock that wraps during the deal does not end it early or never.
    if (clock_() - startTick_ > budget_) {
        budgetCounter_ = -1;
        return false;
    }
    return true;
}

bool TileDealer::AssignKinds()
{
    int quadsAvailable = 0;
    int pairsAvailable = 0;
    for (int count : pool_) {
        quadsAvailable += count / 4;
        pairsAvailable += count / 2;
    }
    // The groups were recorded as the search unwound, deepest first; the shallowest groups
    // take their kinds first, so both lists are read from their last tile back.
    std::reverse(quadList_.begin(), quadList_.end());
    std::reverse(pairList_.begin(), pairList_.end());
    bool complete = true;
    const std::span<Tile* const> quads(quadList_);
    for (size_t i = 0; i + 4 <= quads.size(); i += 4) {
        if (quadsAvailable >= 1) {
            complete &= AssignGroupKind(quads.subspan(i, 4), 4, &quadsAvailable);
            pairsAvailable -= 2;
        } else {
            complete &= AssignGroupKind(quads.subspan(i, 2), 2, &pairsAvailable);
            complete &= AssignGroupKind(quads.subspan(i + 2, 2), 2, &pairsAvailable);
        }
    }
    const std::span<Tile* const> pairs(pairList_);
    for (size_t i = 0; i + 2 <= pairs.size(); i += 2)
        complete &= AssignGroupKind(pairs.subspan(i, 2), 2, &pairsAvailable);
    return complete && layout_->CountUndealt() == 0;
}

bool TileDealer::AssignGroupKind(std::span<Tile* const> tiles, int copies, int* available)
{
    int groups = 0;
    for (int count : pool_)
        groups += count >= copies ? count / copies : 0;
    if (groups == 0)
        return false;
    const int r = RandBelow(*available);
    int slot = 0;
    for (int sum = 0;; slot = (slot + 1) % kSlots) {
        if (pool_[slot] >= copies)
            sum += pool_[slot] / copies;
        if (sum > r)
            break;
    }
    int faceTotal = pool_[slot];
    for (Tile* tile : tiles) {
        if (slot < kSeasonSlot)
            tile->kind = slot + 1;
        else
            PickFace(tile, faceTotal--, slot);
    }
    pool_[slot] -= copies;
    --*available;
    return true;
}

void TileDealer::PickFace(Tile* tile, int total, int slot)
{
    std::array<int, 4>& faces = slot == kSeasonSlot ? seasonFaces_ : flowerFaces_;
    const TileKind base = slot == kSeasonSlot ? kKindFirstSeason : kKindFirstFlower;
    const int r = RandBelow(total);
    int face = -1;
    for (int i = 0, sum = 0; i < 4; ++i) {
        sum += faces[i];
        if (sum > r) {
            face = i;
            break;
        }
    }
    // Faces out of step with the slot's counter: take any face still held, else the first.
    if (face < 0) {
        const auto held = std::find_if(faces.begin(), faces.end(), [](int c) { return c > 0; });
        face = held == faces.end() ? 0 : static_cast<int>(held - faces.begin());
    }
    if (faces[face] > 0)
        --faces[face];
    tile->kind = base + face;
}

void TileDealer::CoverUndealt(int undealt)
{
    // Only a layout changed under the pool leaves it short; pairs of ordinary kinds make up
    // the difference so every tile still gets a kind.
    int missing = undealt - Sum(pool_);
    for (int s = 0; missing > 0; s = (s + 1) % kSeasonSlot) {
        pool_[s] += 2;
        missing -= 2;
    }
}

void TileDealer::DealRandomly()
{
    if (!layout_)
        return;
    int m = layout_->CountUndealt();
    CoverUndealt(m);
    for (Tile* tile = layout_->First(); tile && m >= 1; tile = layout_->Next()) {
        if (!tile->OnBoard() || tile->kind != kKindUndealt)
            continue;
        const int r = RandBelow(m);
        int slot = 0;
        for (int sum = 0;; slot = (slot + 1) % kSlots) {
            if (pool_[slot] > 0)
                sum += pool_[slot];
            if (sum > r)
                break;
        }
        if (slot < kSeasonSlot)
            tile->kind = slot + 1;
        else
            PickFace(tile, pool_[slot], slot);
        --pool_[slot];
        --m;
    }
}

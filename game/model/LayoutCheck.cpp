#include "game/model/LayoutCheck.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <functional>

#include "game/model/TileLayout.h"

namespace {

struct Box {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;

    void Add(int l, int t, int r, int b)
    {
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    }
};

std::array<int, kKindLast + 1> CountKinds(const TileLayout& layout)
{
    std::array<int, kKindLast + 1> counts{};
    for (int i = 0; i < layout.Count(); ++i) {
        const TileKind kind = layout.TileAt(i)->kind;
        if (kind >= 0 && kind <= kKindLast)
            ++counts[kind];
    }
    return counts;
}

void CheckName(const TileLayout& layout, std::vector<std::string>* faults)
{
    const String& name = layout.Name();
    if (name.IsEmpty())
        faults->push_back("the layout has no name");
    if (name.Length() > LayoutRules::kMaxNameLength)
        faults->push_back("the name is longer than 20 characters");
    for (int i = 0; i < name.Length(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) {
            faults->push_back("the name holds a tab, a line break or another control character");
            break;
        }
    }
}

void CheckFit(const TileLayout& layout, std::vector<std::string>* faults)
{
    // Without tiles the boxes stay at their sentinels, whose spans overflow.
    if (layout.Count() == 0)
        return;
    // The board's rectangles, centred in the board as the board centres them.
    Box board;
    Box preview;
    for (int i = 0; i < layout.Count(); ++i) {
        const Tile* t = layout.TileAt(i);
        const int left = 6 * t->z + 21 * t->x - 6;
        const int top = 26 * t->y - 6 * t->z + 6;
        board.Add(left, top, left + 48, top + 58);
        const int miniLeft = (t->x * 10) / 2 + t->z - 1;
        const int miniTop = (t->y * 13) / 2 - t->z + 1;
        preview.Add(miniLeft, miniTop, miniLeft + 9, miniTop + 12);
    }
    if (board.right - board.left > LayoutRules::kBoardWidth || board.bottom - board.top > LayoutRules::kBoardHeight)
        faults->push_back("the layout does not fit the 800 x 452 board");
    // The miniature centres the tiles' 9 x 12 boxes but draws 12 x 15 pieces.
    const int offsetX = (LayoutRules::kCellWidth - (preview.right - preview.left)) / 2 - preview.left;
    const int offsetY = (LayoutRules::kCellHeight - (preview.bottom - preview.top)) / 2 - preview.top;
    if (preview.left + offsetX < 0 || preview.right + 3 + offsetX > LayoutRules::kCellWidth
        || preview.top + offsetY < 0 || preview.bottom + 3 + offsetY > LayoutRules::kCellHeight)
        faults->push_back("the miniature does not fit its 203 x 153 cell");
}

// The fewest tiles, each taken alone while free, whose removal frees tile `target`; `cap` when it
// takes cap or more. A tile to take needs every tile on it gone and one of its sides cleared, so
// the search picks a side for each and keeps the cheapest choice whose tiles can really be taken
// in some order: two neighbours may each have picked the side the other lies on.
int RemovalsToFree(const TileLayout& layout, int target, int cap)
{
    const int count = layout.Count();
    std::vector<std::vector<int>> above(count), left(count), right(count);
    for (int i = 0; i < count; ++i) {
        const Tile* t = layout.TileAt(i);
        for (int j = 0; j < count; ++j) {
            const Tile* u = layout.TileAt(j);
            if (std::abs(u->y - t->y) > 1)
                continue;
            if (u->z == t->z + 1 && std::abs(u->x - t->x) <= 1)
                above[i].push_back(j);
            else if (u->z == t->z && u->x == t->x - 2)
                left[i].push_back(j);
            else if (u->z == t->z && u->x == t->x + 2)
                right[i].push_back(j);
        }
    }
    auto allIn = [](const std::vector<int>& tiles, const std::vector<bool>& set) {
        return std::all_of(tiles.begin(), tiles.end(), [&](int i) { return set[i]; });
    };
    auto takeable = [&](const std::vector<bool>& chosen) {
        std::vector<bool> gone(count, false);
        for (bool progress = true; progress;) {
            progress = false;
            std::vector<bool> next = gone;
            for (int i = 0; i < count; ++i) {
                if (chosen[i] && !gone[i] && allIn(above[i], gone)
                    && (allIn(left[i], gone) || allIn(right[i], gone))) {
                    next[i] = true;
                    progress = true;
                }
            }
            gone = std::move(next);
        }
        return gone == chosen;
    };
    int best = cap;
    std::function<void(std::vector<bool>, int, std::vector<int>)> search =
        [&](std::vector<bool> chosen, int size, std::vector<int> pending) {
            if (size >= best)
                return;
            if (pending.empty()) {
                if (takeable(chosen))
                    best = size;
                return;
            }
            const int p = pending.back();
            pending.pop_back();
            auto add = [&](const std::vector<int>& tiles) {
                for (int i : tiles) {
                    if (!chosen[i]) {
                        chosen[i] = true;
                        ++size;
                        pending.push_back(i);
                    }
                }
            };
            add(above[p]);
            if (left[p].empty() || right[p].empty()) {
                search(chosen, size, pending);
                return;
            }
            for (const auto* side : {&left[p], &right[p]}) {
                const std::vector<bool> keepChosen = chosen;
                const std::vector<int> keepPending = pending;
                const int keepSize = size;
                add(*side);
                search(chosen, size, pending);
                chosen = keepChosen;
                pending = keepPending;
                size = keepSize;
            }
        };
    search(std::vector<bool>(count, false), 0, {target});
    return best;
}

void CheckExitDepth(const TileLayout& layout, int level, std::vector<std::string>* faults)
{
    const int depth = level < LayoutRules::kEarlyLevels ? LayoutRules::kEarlyExitDepth : LayoutRules::kExitDepth;
    for (int i = 0; i < layout.Count(); ++i) {
        const Tile* t = layout.TileAt(i);
        if (t->kind != kKindExit)
            continue;
        const int removals = RemovalsToFree(layout, i, depth);
        if (removals < depth)
            faults->push_back("exit tile (" + std::to_string(t->x) + ", " + std::to_string(t->y) + ", "
                              + std::to_string(t->z) + ") is free after " + std::to_string(removals)
                              + " removals, not " + std::to_string(depth));
    }
}

}  // namespace

std::vector<std::string> CheckLayout(const TileLayout& layout)
{
    std::vector<std::string> faults;
    CheckName(layout, &faults);
    const int count = layout.Count();
    if (count < 2)
        faults.push_back("the layout has fewer than two tiles");
    if (count > LayoutRules::kMaxTiles)
        faults.push_back("the layout has more than 144 tiles");
    int undealt = 0;
    for (int i = 0; i < count; ++i) {
        const Tile* t = layout.TileAt(i);
        const std::string where = "tile " + std::to_string(i) + " (" + std::to_string(t->x) + ", "
            + std::to_string(t->y) + ", " + std::to_string(t->z) + ")";
        if (t->kind < kKindUndealt || t->kind > kKindLast)
            faults.push_back(where + " has kind " + std::to_string(t->kind));
        undealt += t->kind == kKindUndealt;
        if (t->z < 0 || t->x < -128 || t->x > 127 || t->y < -128 || t->y > 127)
            faults.push_back(where + " lies outside the grid");
        if (i > 0 && t->z < layout.TileAt(i - 1)->z)
            faults.push_back(where + " comes after a tile of a higher layer");
        for (int j = 0; j < i; ++j) {
            const Tile* u = layout.TileAt(j);
            if (u->z == t->z && std::abs(u->x - t->x) < 2 && std::abs(u->y - t->y) < 2)
                faults.push_back(where + " overlaps tile " + std::to_string(j));
        }
    }
    if (undealt % 2 != 0)
        faults.push_back("an odd number of tiles to deal");
    CheckFit(layout, &faults);
    return faults;
}

std::vector<std::string> CheckStoryLayout(const TileLayout& layout, int level)
{
    std::vector<std::string> faults = CheckLayout(layout);
    if (level < 0 || level >= LayoutRules::kStoryLevels) {
        faults.push_back("no story level " + std::to_string(level));
        return faults;
    }
    const auto counts = CountKinds(layout);
    if (counts[kKindExit] != 2)
        faults.push_back("a story layout needs exactly one exit pair");
    else
        CheckExitDepth(layout, level, &faults);
    if (counts[kKindComplementFirst] != counts[kKindComplementSecond])
        faults.push_back("every first tile of a complementary pair needs its second");
    int flowers = 0;
    for (TileKind kind = kKindFirstFlower; kind <= kKindLastFlower; ++kind)
        flowers += counts[kind];
    // The tutorial tips of these levels point at the tiles they explain.
    if (level == 1 && flowers < 2)
        faults.push_back("level 1 shows two flowers");
    if (level == 3 && counts[kKindComplementFirst] == 0)
        faults.push_back("level 3 shows a complementary pair");
    if (level == 7 && counts[kKindWildOne] == 0)
        faults.push_back("level 7 shows a wild tile 47");
    if (level == 12 && counts[kKindWildAll] == 0)
        faults.push_back("level 12 shows a wild tile 46");
    return faults;
}

std::vector<std::string> CheckFreePlayLayout(const TileLayout& layout)
{
    std::vector<std::string> faults = CheckLayout(layout);
    if (layout.HasFixed())
        faults.push_back("a free-play layout presets no kinds");
    return faults;
}

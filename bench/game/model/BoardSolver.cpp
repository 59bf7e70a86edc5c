#include "BoardSolver.h"

#include <algorithm>
#include <cstdlib>

BoardSolver::BoardSolver(std::vector<SolverTile> tiles, long nodeLimit)
    : tiles_(std::move(tiles)), nodeLimit_(nodeLimit)
{
    const int n = static_cast<int>(tiles_.size());
    above_.resize(n);
    below_.resize(n);
    left_.resize(n);
    right_.resize(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const SolverTile& a = tiles_[i];
            const SolverTile& b = tiles_[j];
            if (i == j || std::abs(a.y - b.y) > 1)
                continue;
            if (b.z == a.z + 1 && std::abs(a.x - b.x) <= 1)
                above_[i].push_back(j);
            if (b.z == a.z - 1 && std::abs(a.x - b.x) <= 1)
                below_[i].push_back(j);
            if (b.z == a.z && b.x == a.x - 2)
                left_[i].push_back(j);
            if (b.z == a.z && b.x == a.x + 2)
                right_[i].push_back(j);
        }
    }
    removed_.assign((n + 63) / 64, 0);
    // Tiles above a tile, directly or through others: while such a tile is on the board, so is
    // every tile between, so none of them can go first.
    over_.assign(n, std::vector<bool>(n, false));
    for (int i = n - 1; i >= 0; --i) {
        std::vector<int> stack(above_[i].begin(), above_[i].end());
        while (!stack.empty()) {
            const int j = stack.back();
            stack.pop_back();
            if (over_[i][j])
                continue;
            over_[i][j] = true;
            stack.insert(stack.end(), above_[j].begin(), above_[j].end());
        }
    }
    covering_.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            covering_[j] += over_[i][j];
    }
}

size_t BoardSolver::StateHash::operator()(const State& s) const
{
    size_t h = 1469598103934665603ull;
    for (uint64_t w : s)
        h = (h ^ w) * 1099511628211ull;
    return h;
}

void BoardSolver::Set(int i, bool gone)
{
    if (gone)
        removed_[i / 64] |= uint64_t{1} << (i % 64);
    else
        removed_[i / 64] &= ~(uint64_t{1} << (i % 64));
}

bool BoardSolver::Free(int i) const
{
    auto allGone = [&](const std::vector<int>& list) {
        return std::all_of(list.begin(), list.end(), [&](int j) { return Gone(j); });
    };
    return allGone(above_[i]) && (allGone(left_[i]) || allGone(right_[i]));
}

int BoardSolver::Fold(int kind) const
{
    if (kind >= 35 && kind <= 38)
        return 35;
    if (kind >= 39 && kind <= 42)
        return 39;
    return kind;
}

bool BoardSolver::Cleared() const
{
    bool allButSeconds = true;
    bool dealtGone = true;
    bool exitGone = false;
    bool hasExit = false;
    for (size_t i = 0; i < tiles_.size(); ++i) {
        const bool gone = Gone(static_cast<int>(i));
        if (!gone && tiles_[i].kind != 45)
            allButSeconds = false;
        if (!gone && !tiles_[i].preset)
            dealtGone = false;
        if (tiles_[i].kind == 43) {
            hasExit = true;
            exitGone |= gone;
        }
    }
    return allButSeconds || (hasExit && exitGone && dealtGone);
}

BoardSolver::Verdict BoardSolver::Solve()
{
    // Searches like this one have long tails: short attempts in different move orders find a
    // way far sooner than one long attempt. Dead ends proven in one attempt stay known.
    const long perAttempt = 400;
    for (long spent = 0; spent < nodeLimit_; spent += perAttempt) {
        nodes_ = 0;
        attemptLimit_ = perAttempt;
        gaveUp_ = false;
        if (Search())
            return Verdict::kClearable;
        if (!gaveUp_)
            return Verdict::kStuck;
        random_.seed(static_cast<uint32_t>(spent / perAttempt + 1));
        noise_ = 2 + static_cast<int>(spent / perAttempt % 8) * 3;
    }
    return Verdict::kGaveUp;
}

int BoardSolver::FreedBy(int a, int b)
{
    // Tiles that the move would make free: those the removed tiles covered or flanked.
    Set(a, true);
    if (b >= 0)
        Set(b, true);
    int freed = 0;
    for (int t : {a, b}) {
        if (t < 0)
            continue;
        freed += 2 * covering_[t];
        for (const auto* list : {&below_[t], &left_[t], &right_[t]}) {
            for (int j : *list)
                freed += (!Gone(j) && Free(j)) * 4;
        }
    }
    Set(a, false);
    if (b >= 0)
        Set(b, false);
    return freed;
}

bool BoardSolver::Hopeless() const
{
    // A last pair of a kind with one tile somewhere above the other can never be taken.
    const int n = static_cast<int>(tiles_.size());
    for (int i = 0; i < n; ++i) {
        if (Gone(i) || tiles_[i].kind <= 0 || tiles_[i].kind >= 43)
            continue;
        int remaining = 0;
        int other = -1;
        for (int j = 0; j < n; ++j) {
            if (!Gone(j) && j != i && Fold(tiles_[j].kind) == Fold(tiles_[i].kind)) {
                ++remaining;
                other = j;
            }
        }
        if (remaining == 1 && (over_[i][other] || over_[other][i]))
            return true;
    }
    return false;
}

bool BoardSolver::Search()
{
    if (Cleared())
        return true;
    if (++nodes_ > attemptLimit_) {
        gaveUp_ = true;
        return false;
    }
    if (dead_.count(removed_) || Hopeless())
        return false;
    const int n = static_cast<int>(tiles_.size());
    std::vector<int> free;
    for (int i = 0; i < n; ++i) {
        if (!Gone(i) && Free(i))
            free.push_back(i);
    }
    // Moves, best first: a pair that takes the last free tiles of its kind can spoil nothing,
    // so it comes first and alone; then moves that free the most tiles.
    struct Move {
        int a, b;
        bool safe;
        int freed;
    };
    std::vector<Move> moves;
    for (size_t p = 0; p < free.size(); ++p) {
        const int a = free[p];
        const int kind = tiles_[a].kind;
        if (kind == 46 || kind == 47) {
            moves.push_back({a, -1, false, FreedBy(a, -1)});
            continue;
        }
        if (kind == 44) {
            for (int j = 0; j < n; ++j) {
                if (!Gone(j) && tiles_[j].kind == 45)
                    moves.push_back({a, j, false, FreedBy(a, j)});
            }
            continue;
        }
        if (kind > 43 || kind <= 0)
            continue;
        int remaining = 0;
        int freeOfKind = 0;
        for (int j = 0; j < n; ++j) {
            if (!Gone(j) && tiles_[j].kind <= 43 && Fold(tiles_[j].kind) == Fold(kind)) {
                ++remaining;
                freeOfKind += Free(j);
            }
        }
        const bool safe = freeOfKind == remaining && (remaining == 2 || remaining == 4);
        for (size_t q = p + 1; q < free.size(); ++q) {
            const int b = free[q];
            if (tiles_[b].kind > 43 || Fold(tiles_[b].kind) != Fold(kind))
                continue;
            // Finishing a kind leaves fewer ways to go wrong.
            moves.push_back({a, b, safe, safe ? 0 : FreedBy(a, b) + (remaining == 2 ? 6 : 0)});
        }
    }
    const auto safe = std::find_if(moves.begin(), moves.end(), [](const Move& m) { return m.safe; });
    if (safe != moves.end())
        moves = {*safe};
    // Later attempts blur the preference so that they try other orders.
    if (noise_ > 0) {
        for (Move& m : moves)
            m.freed += static_cast<int>(random_() % noise_);
    }
    std::shuffle(moves.begin(), moves.end(), random_);
    std::stable_sort(moves.begin(), moves.end(), [](const Move& l, const Move& r) { return l.freed > r.freed; });
    for (const Move& m : moves) {
        Set(m.a, true);
        if (m.b >= 0)
            Set(m.b, true);
        const bool ok = Search();
        Set(m.a, false);
        if (m.b >= 0)
            Set(m.b, false);
        if (ok)
            return true;
        if (gaveUp_)
            return false;
    }
    dead_.insert(removed_);
    return false;
}

#pragma once
// Plays a dealt board forward to check that it can be cleared, written apart from the dealer
// and the layout's own queries: its own neighbour tables, its own free rule and its own kind
// rule. Moves: two free tiles of one kind below 43 (seasons with seasons, flowers with
// flowers), two free exit tiles, a free 44 with any 45 still on the board, a free wild alone.
// Cleared: every tile gone but 45s no 44 took, or the exit pair gone with every dealt tile.
#include <cstddef>
#include <cstdint>
#include <random>
#include <unordered_set>
#include <vector>

struct SolverTile {
    int x, y, z;
    int kind;
    bool preset;
};

class BoardSolver {
public:
    enum class Verdict { kClearable, kStuck, kGaveUp };

    explicit BoardSolver(std::vector<SolverTile> tiles, long nodeLimit = 100000);
    Verdict Solve();
    long Nodes() const { return nodes_; }

private:
    using State = std::vector<uint64_t>;
    struct StateHash {
        size_t operator()(const State& s) const;
    };

    bool Gone(int i) const { return removed_[i / 64] >> (i % 64) & 1; }
    void Set(int i, bool gone);
    bool Free(int i) const;
    bool Cleared() const;
    bool Search();
    int FreedBy(int a, int b);
    bool Hopeless() const;
    int Fold(int kind) const;

    std::vector<SolverTile> tiles_;
    std::vector<std::vector<int>> above_, below_, left_, right_;
    std::vector<std::vector<bool>> over_;
    std::vector<int> covering_;  // how many tiles lie under each tile, directly or not
    State removed_;
    std::unordered_set<State, StateHash> dead_;
    long nodes_ = 0;
    long nodeLimit_;
    long attemptLimit_ = 0;
    std::mt19937 random_;
    int noise_ = 0;
    bool gaveUp_ = false;
};

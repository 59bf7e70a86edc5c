#include "game/model/TileLayout.h"

#include <bitset>
#include <cstdlib>

#include "framework/core/DataStream.h"
#include "framework/core/ResourceModules.h"

namespace {

// Bytes a layout record holds per tile.
constexpr size_t kLayoutTileBytes = 4;
// Bytes of the CRC trailer.
constexpr size_t kTrailerBytes = 4;

bool Near(int a, int b) { return std::abs(a - b) <= 1; }

int Store(std::span<Tile*> out, int count, Tile* tile)
{
    if (count < static_cast<int>(out.size()))
        out[count] = tile;
    return count + 1;
}

}  // namespace

void TileLayout::SerializeState(DataStream* stream)
{
    int32_t count = Count();
    stream->TransferShort(&count);
    if (stream->GetMode() == DataStream::kWrite) {
        for (auto& tile : tiles_)
            tile->SerializeState(stream);
        int32_t links = 0;
        for (auto& tile : tiles_)
            links += tile->link != nullptr;
        stream->TransferShort(&links);
        for (int i = 0; i < Count(); ++i) {
            if (!tiles_[i]->link)
                continue;
            int32_t from = i;
            int32_t to = IndexOf(tiles_[i]->link);
            stream->TransferShort(&from);
            stream->TransferShort(&to);
        }
        return;
    }
    if (stream->GetMode() != DataStream::kRead || count != Count())
        return;
    for (auto& tile : tiles_) {
        Tile read;
        read.SerializeState(stream);
        if (read.x != tile->x || read.y != tile->y || read.z != tile->z)
            return;
        tile->removedAt = read.removedAt;
        if (!tile->fixed || tile->kind == kKindWildOne)
            tile->kind = read.kind;
    }
    // Links of an earlier game would point at tiles this record places anew.
    for (auto& tile : tiles_)
        tile->link = nullptr;
    int32_t links = 0;
    stream->TransferShort(&links);
    for (int32_t i = 0; i < links; ++i) {
        int32_t from = 0;
        int32_t to = 0;
        stream->TransferShort(&from);
        stream->TransferShort(&to);
        if (from < 0 || from >= Count() || to < 0 || to >= Count())
            return;
        tiles_[from]->link = tiles_[to].get();
    }
}

bool TileLayout::SerializeLayout(DataStream* stream)
{
    if (stream->GetMode() == DataStream::kRead)
        return ReadLayout(stream);
    if (stream->GetMode() != DataStream::kWrite)
        return false;
    int32_t magic = kMagic;
    int32_t version = kVersion;
    int32_t count = Count();
    stream->TransferShort(&magic);
    stream->TransferChar(&version);
    stream->TransferString(&name_);
    stream->TransferShort(&count);
    for (auto& tile : tiles_)
        tile->SerializeLayout(stream);
    return stream->Finish();
}

bool TileLayout::ReadLayout(DataStream* stream)
{
    stream->TransferShort(&magic_);
    stream->TransferChar(&version_);
    if (magic_ != kMagic || version_ != kVersion)
        return false;
    stream->TransferString(&name_);
    int32_t count = 0;
    stream->TransferShort(&count);
    if (count < 0 || count > kMaxTiles
        || stream->Remaining() < static_cast<size_t>(count) * kLayoutTileBytes + kTrailerBytes)
        return false;
    int previousZ = 0;
    for (int32_t i = 0; i < count; ++i) {
        Tile read;
        read.SerializeLayout(stream);
        // The free test and the hit test rely on tiles listed by ascending layer.
        if (read.z < previousZ || read.kind < kKindUndealt || read.kind > kKindLast)
            return false;
        previousZ = read.z;
        AddTile(read.x, read.y, read.z, read.kind);
    }
    return stream->Finish();
}

bool TileLayout::LoadFromResource(int id)
{
    Clear();
    const ResourceModule* module = AssetModule();
    if (!module || id < 0)
        return false;
    const ResourceModule::Bytes bytes = module->Find(kLayoutsType, static_cast<uint32_t>(id));
    if (bytes.empty())
        return false;
    DataStream stream;
    stream.OpenMemory(bytes.data(), bytes.size());
    return ParseLayout(&stream);
}

bool TileLayout::ParseLayout(DataStream* stream)
{
    Clear();
    if (SerializeLayout(stream) && stream->CrcOk())
        return true;
    Clear();
    return false;
}

void TileLayout::Clear()
{
    tiles_.clear();
    cursor_ = 0;
    hasFixed_ = false;
    name_.Empty();
}

void TileLayout::AddTile(int x, int y, int z, TileKind kind)
{
    auto tile = std::make_unique<Tile>(x, y, z, kind);
    if (kind != kKindUndealt) {
        tile->fixed = true;
        hasFixed_ = true;
    }
    Append(std::move(tile));
}

void TileLayout::Append(std::unique_ptr<Tile> tile)
{
    tiles_.push_back(std::move(tile));
}

Tile* TileLayout::First()
{
    cursor_ = 0;
    return Next();
}

Tile* TileLayout::Next()
{
    if (cursor_ >= tiles_.size())
        return nullptr;
    return tiles_[cursor_++].get();
}

int TileLayout::IndexOf(const Tile* tile) const
{
    for (size_t i = 0; i < tiles_.size(); ++i) {
        if (tiles_[i].get() == tile)
            return static_cast<int>(i);
    }
    return 0;
}

Tile* TileLayout::TileAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return tiles_[index].get();
}

void TileLayout::ClearMarks(bool clearUnfixedKinds)
{
    for (auto& tile : tiles_) {
        tile->removedAt = 0;
        tile->wobbleStart = 0;
        if (clearUnfixedKinds && !tile->fixed)
            tile->kind = kKindUndealt;
    }
}

bool TileLayout::IsFree(int x, int y, int z) const
{
    bool left = false;
    bool right = false;
    for (const auto& tile : tiles_) {
        if (tile->z > z + 1)
            break;
        if (!tile->OnBoard() || tile->z < z)
            continue;
        const int dx = tile->x - x;
        if (tile->z == z + 1) {
            if (Near(tile->x, x) && Near(tile->y, y))
                return false;
        } else if (Near(tile->y, y)) {
            left |= dx == -2;
            right |= dx == 2;
        }
    }
    return !(left && right);
}

void TileLayout::UpdateFreeFlags()
{
    for (auto& tile : tiles_) {
        if (tile->OnBoard())
            tile->free = IsFree(tile->x, tile->y, tile->z);
    }
}

bool TileLayout::UpdateFreeFlag(Tile* tile)
{
    tile->free = IsFree(tile->x, tile->y, tile->z);
    return tile->free;
}

Tile* TileLayout::HitTest(int px, int py, int* layer, int* x, int* y) const
{
    *x = 0;
    *y = 0;
    for (auto it = tiles_.rbegin(); it != tiles_.rend(); ++it) {
        Tile* tile = it->get();
        if (!tile->OnBoard() || !tile->screenRect.Contains(px, py))
            continue;
        if (*layer != -1 && tile->z != *layer)
            continue;
        *x = tile->x;
        *y = tile->y;
        *layer = tile->z;
        return tile;
    }
    return nullptr;
}

int TileLayout::CollectFree(std::span<Tile*> out) const
{
    int count = 0;
    for (const auto& tile : tiles_) {
        if (tile->OnBoard() && tile->free)
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CollectByKind(TileKind kind, std::span<Tile*> out) const
{
    int count = 0;
    for (const auto& tile : tiles_) {
        if (tile->OnBoard() && SameKind(tile->kind, kind))
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CollectFreeSpecials(std::span<Tile*> out) const
{
    if (!hasFixed_)
        return 0;
    int count = 0;
    for (const auto& tile : tiles_) {
        const TileKind kind = tile->kind;
        if (tile->OnBoard() && tile->free
            && (kind == kKindComplementFirst || IsWild(kind)))
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CollectByRemoved(int move, std::span<Tile*> out) const
{
    int count = 0;
    for (const auto& tile : tiles_) {
        if (tile->removedAt == move)
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CollectByGroup(int group, std::span<Tile*> out) const
{
    int count = 0;
    for (const auto& tile : tiles_) {
        if (tile->group == group)
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CollectFreedBy(std::span<Tile* const> removed, std::span<Tile*> out, bool flag)
{
    if (removed.empty())
        return 0;
    int zmax = removed[0]->z;
    for (const Tile* g : removed)
        zmax = std::max(zmax, g->z);
    int stored = 0;
    for (auto& owned : tiles_) {
        Tile* c = owned.get();
        if (c->z > zmax)
            break;
        if (!c->OnBoard() || c->free == flag)
            continue;
        bool touched = false;
        for (const Tile* g : removed) {
            const bool covered = c->z == g->z - 1 && Near(c->x, g->x) && Near(c->y, g->y);
            const bool flanked = c->z == g->z && std::abs(c->x - g->x) == 2 && Near(c->y, g->y);
            if (covered || flanked) {
                touched = true;
                break;
            }
        }
        if (!touched || IsFree(c->x, c->y, c->z) != flag)
            continue;
        c->free = flag;
        if (stored < static_cast<int>(out.size()))
            out[stored++] = c;
    }
    return stored;
}

int TileLayout::CollectFreedByPair(Tile* a, Tile* b, std::span<Tile*> out, bool flag)
{
    Tile* pair[2] = {a, b};
    return CollectFreedBy(std::span<Tile* const>(pair, b ? 2 : 1), out, flag);
}

std::array<int, 44> TileLayout::CountFreeByFoldedKind() const
{
    std::array<int, 44> counts{};
    for (const auto& tile : tiles_) {
        if (tile->OnBoard() && tile->free && tile->kind >= 0 && tile->kind < kKindComplementFirst)
            ++counts[FoldKind(tile->kind)];
    }
    return counts;
}

int TileLayout::CollectNthPairKind(int n, std::span<Tile*> out) const
{
    const std::array<int, 44> counts = CountFreeByFoldedKind();
    int found = -1;
    for (int kind = 0; kind < 44; ++kind) {
        if (counts[kind] >= 2 && n-- == 0) {
            found = kind;
            break;
        }
    }
    if (found < 0)
        return 0;
    int count = 0;
    for (const auto& tile : tiles_) {
        if (tile->OnBoard() && tile->free && SameKind(tile->kind, found))
            count = Store(out, count, tile.get());
    }
    return count;
}

int TileLayout::CountUndealt() const
{
    int count = 0;
    for (const auto& tile : tiles_)
        count += tile->kind == kKindUndealt;
    return count;
}

int TileLayout::CountDealtLeft() const
{
    int count = 0;
    for (const auto& tile : tiles_)
        count += tile->OnBoard() && tile->kind != kKindUndealt;
    return count;
}

int TileLayout::TilesLeft() const
{
    int count = 0;
    for (const auto& tile : tiles_)
        count += tile->OnBoard();
    return count;
}

void TileLayout::CountMoves(int* pairs, int* tilesLeft, int* kindsWithPair) const
{
    *pairs = 0;
    *kindsWithPair = 0;
    *tilesLeft = TilesLeft();
    for (int count : CountFreeByFoldedKind()) {
        if (count >= 2) {
            *pairs += count / 2;
            ++*kindsWithPair;
        }
    }
}

int TileLayout::CountFreeExitTiles() const
{
    int count = 0;
    for (const auto& tile : tiles_)
        count += tile->OnBoard() && tile->free && tile->kind == kKindExit;
    return count;
}

bool TileLayout::HasTwoFreeFlowers() const
{
    int count = 0;
    for (const auto& tile : tiles_)
        count += tile->OnBoard() && tile->free && IsFlower(tile->kind);
    return count >= 2;
}

int TileLayout::CountFixedByKind(KindCounts* counts) const
{
    int total = 0;
    for (const auto& tile : tiles_) {
        if (tile->fixed && tile->kind >= 1 && tile->kind < kKindExit) {
            ++(*counts)[tile->kind - 1];
            ++total;
        }
    }
    return total;
}

void TileLayout::ClearUnfixedKinds(KindCounts* counts)
{
    for (auto& tile : tiles_) {
        if (!tile->OnBoard() || tile->fixed)
            continue;
        if (tile->kind >= 1 && tile->kind < kKindExit)
            ++(*counts)[tile->kind - 1];
        tile->kind = kKindUndealt;
    }
}

void TileLayout::ClearGroups()
{
    for (auto& tile : tiles_) {
        tile->group = 0;
        tile->quad = false;
    }
}

void TileLayout::ConvertLinkedToWild()
{
    for (auto& tile : tiles_) {
        if (tile->OnBoard() || !tile->link)
            continue;
        tile->link->kind = kKindWildOne;
        tile->link->fixed = true;
        tile->link = nullptr;
    }
}

void TileLayout::LowestKindPair(Tile** first, Tile** second) const
{
    *first = nullptr;
    *second = nullptr;
    TileKind lowest = 255;
    for (const auto& tile : tiles_) {
        if (!tile->OnBoard())
            continue;
        const TileKind kind = FoldKind(tile->kind);
        if (kind < lowest) {
            lowest = kind;
            *first = tile.get();
        } else if (kind == lowest && kind < kKindExit) {
            *second = tile.get();
        }
    }
}

int TileLayout::RemoveNormalTiles()
{
    int count = 0;
    for (auto& tile : tiles_) {
        if (tile->OnBoard() && tile->kind < kKindExit) {
            tile->removedAt = 1;
            ++count;
        }
    }
    return count;
}

int TileLayout::RemoveSpecialTiles()
{
    int count = 0;
    for (auto& tile : tiles_) {
        if (tile->OnBoard() && tile->kind >= kKindExit) {
            tile->removedAt = 1;
            ++count;
        }
    }
    return count;
}

bool TileLayout::IsVisible(const Tile* tile) const
{
    if (tile->free)
        return true;
    // The tile's face, 40 x 50 points, less whatever later (upper) tiles cover of it.
    constexpr int kWidth = 40;
    constexpr int kHeight = 50;
    const int faceLeft = tile->screenRect.left + 7;
    const int faceTop = tile->screenRect.top + 1;
    std::bitset<kWidth * kHeight> mask;
    mask.set();
    bool covered = false;
    bool after = false;
    for (const auto& other : tiles_) {
        if (other.get() == tile) {
            after = true;
            continue;
        }
        if (!after || !other->OnBoard())
            continue;
        const TileRect& r = other->screenRect;
        const int left = std::max(r.left, faceLeft);
        const int top = std::max(r.top, faceTop);
        const int right = std::min(r.right, faceLeft + kWidth);
        const int bottom = std::min(r.bottom, faceTop + kHeight);
        if (left >= right || top >= bottom)
            continue;
        covered = true;
        for (int py = top; py < bottom; ++py) {
            for (int px = left; px < right; ++px)
                mask.reset((py - faceTop) * kWidth + (px - faceLeft));
        }
    }
    return !covered || mask.any();
}

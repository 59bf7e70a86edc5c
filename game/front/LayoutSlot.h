#pragma once
// One cell of the free-play grid (203 x 153): the layout's miniature from the page image, its
// numbered name and a status line (best time, saved game, or tile counts).
#include <cstdint>

#include "framework/core/String.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/Widget.h"
#include "game/front/LayoutPageCache.h"

class BitmapFont;
class Image;
class LayoutSlotHost;
class PlayerProfile;

class LayoutSlot : public Widget {
public:
    enum State : int32_t { kEmpty = 0, kFromCache = 1, kBuilt = 2 };
    static constexpr int32_t kPageImageId = 0xFF02;

    LayoutSlot(int slot, LayoutSlotHost* host);

    void Draw() override;
    void OnCreate() override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;

    // From a line of the page text (state 1), then the status of layout `layoutIndex`.
    void SetLayout(const PageCacheLine& line, int layoutIndex);
    void Clear();
    // Draws the miniature of layout `layoutIndex` (0..125) into `page` from the blank and face
    // pictures and names the slot; false (and the slot left empty) when the layout does not
    // load.
    bool RenderPreview(Image* page, const Image* blank, const Image* faces, int layoutIndex);
    // Saved game and best time of layout `layoutIndex` for the current player.
    void UpdateStatus(int layoutIndex);

    PageCacheLine GetInfo() const { return PageCacheLine{name_, tiles_, freeTiles_}; }
    void SetSelected(bool selected);
    void SetBuildImage(Image* page) { buildImage_ = page; }

    int GetSlot() const { return slot_; }
    int32_t GetState() const { return state_; }
    bool IsSelected() const { return selected_; }
    bool HasSavedGame() const { return hasSavedGame_; }
    bool IsCompleted() const { return completed_; }
    const String& GetName() const { return name_; }
    const String& GetStatus() const { return status_; }
    const Rect& GetCell() const { return cell_; }

private:
    int slot_;
    LayoutSlotHost* host_;
    int32_t state_ = kEmpty;
    int32_t tiles_ = 0;
    int32_t freeTiles_ = 0;
    String name_;
    String status_;
    bool selected_ = false;
    bool hasSavedGame_ = false;
    bool completed_ = false;
    Rect cell_;
    Image* buildImage_ = nullptr;
    BitmapFont* nameFont_ = nullptr;
    BitmapFont* statusFont_ = nullptr;
};

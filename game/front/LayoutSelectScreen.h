#pragma once
// Free play's first page: nine of the 126 layouts at a time in a 3 x 3 grid, each with its
// miniature, numbered name and status. Pages turn with two arrows and wrap around. A page's
// miniatures are drawn once, a cell a frame, and kept in the shared data folder, so later visits
// show the page at once.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/String.h"
#include "framework/ui/Screen.h"
#include "game/front/LayoutSlotHost.h"
#include "game/play/DialogListener.h"

class Button;
class Image;
class LayoutPagerLabel;
class LayoutSlot;

// The layout the player chose and how to start it.
struct FreePlayChoice {
    int32_t index = 0;  // 0..125
    bool resume = false;
    int32_t layoutId = 0;
    String name;
};

class LayoutSelectScreen : public Screen, public DialogListener, public LayoutSlotHost {
public:
    static constexpr int32_t kLayoutCount = 126;
    static constexpr int kSlots = 9;
    static constexpr int32_t kPreviousPage = 193;
    static constexpr int32_t kNextPage = 194;
    static constexpr int32_t kPlay = 196;
    static constexpr int32_t kMainMenu = 197;
    static constexpr int32_t kResumeQuestion = 1;
    using PlayScreenMaker = std::function<Screen*(const FreePlayChoice&)>;

    // `makePlayScreen` makes the free-play screen the grid changes to when a layout is chosen.
    explicit LayoutSelectScreen(PlayScreenMaker makePlayScreen);
    ~LayoutSelectScreen() override;

    bool OnCommand(int32_t commandId) override;
    // Tells of a failed save of the player's files made on the way here (a new player's list).
    void OnTransitionDone() override;
    bool OnAccept(int32_t dialogId) override;
    bool OnDecline(int32_t dialogId) override;
    void SelectSlot(int slot) override;
    void AskResume(int slot) override;

    void ShowPage();
    void LoadPageCache();
    // One miniature of the page being built; answers whether more are due. The last one writes
    // the page's files.
    bool BuildPageCacheStep();
    void StartLayout(bool resume);
    // The music turns over with every visit; the rotation is one for the whole program.
    static void ResetMusicRotation();

    int32_t GetPageStart() const { return pageStart_; }
    int GetSelectedSlot() const { return selected_; }
    int GetBuildIndex() const { return buildIndex_; }
    LayoutSlot* GetSlot(int slot) const { return slots_[slot]; }
    LayoutPagerLabel* GetPagerLabel() const { return pager_; }
    Image* GetPageImage() const { return page_.get(); }

protected:
    void OnAttach() override;

private:
    Button* AddPageButton(int32_t id, int32_t x, int32_t y);
    Button* AddCaptionButton(int32_t id, int32_t captionId, int32_t x, int32_t y);
    void StartMusic();
    void StartBuilding();

    PlayScreenMaker makePlayScreen_;
    std::array<LayoutSlot*, kSlots> slots_{};
    LayoutPagerLabel* pager_ = nullptr;
    std::unique_ptr<Image> page_;
    int32_t pageStart_ = 0;
    int selected_ = 0;
    int buildIndex_ = kSlots;
};

#pragma once
// The free-play grid's texts over the whole screen: the title, the layout ranges of the previous
// and the next page, and how many layouts the player has completed. While a page is being built
// its per-frame update runs the build, one step a frame.
#include <cstdint>
#include <functional>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class LayoutPagerLabel : public Widget {
public:
    // The completion line, centred below the title over the grid's red backdrop: cream ink.
    static constexpr int32_t kCompletionFontImage = 201;
    static constexpr int32_t kCompletionFontMetrics = 198;
    static constexpr int32_t kCompletionY = 46;
    // The page ranges, each centred in the gap between a page arrow and a caption button, in a
    // face small enough to keep clear of both.
    static constexpr int32_t kRangeFontImage = 208;
    static constexpr int32_t kRangeFontMetrics = 207;

    // `buildStep` answers whether more steps are due.
    LayoutPagerLabel(int32_t layoutCount, std::function<bool()> buildStep);

    void Draw() override;
    void OnCreate() override;
    bool Update() override;

    // First and last layout index of the previous and of the next page, shown from 1.
    void SetRanges(int32_t previousFirst, int32_t previousLast, int32_t nextFirst,
                   int32_t nextLast);
    // Runs the build steps from the next frame on.
    void StartBuilding() { EnableUpdates(true); }

    const String& GetPreviousRange() const { return previousRange_; }
    const String& GetNextRange() const { return nextRange_; }
    const String& GetCompletionLine() const { return completion_; }

private:
    int32_t layoutCount_;
    std::function<bool()> buildStep_;
    String title_;
    String previousRange_;
    String nextRange_;
    String completion_;
    BitmapFont* titleFont_ = nullptr;
    BitmapFont* rangeFont_ = nullptr;
    BitmapFont* completionFont_ = nullptr;
};

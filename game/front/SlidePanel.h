#pragma once
// The wipe between the campaign map and the play field: a panel image sweeps across the screen at
// one pixel per millisecond, the campaign screen showing on its left and the play screen on its
// right. Closing runs right to left (the map gives way to the level), opening left to right.
#include <cstdint>
#include <functional>

#include "framework/ui/ClipRect.h"
#include "framework/ui/Widget.h"

class Screen;

class SlidePanel : public Widget {
public:
    static constexpr int32_t kImageId = 252;
    static constexpr int32_t kIdle = 65535;
    static constexpr int32_t kCloseStart = 840;
    static constexpr int32_t kCloseEnd = -143;  // ends once below this
    static constexpr int32_t kOpenStart = -184;
    static constexpr int32_t kOpenEnd = 800;    // ends once reached
    // The panel image's seam: its own screen shows left of x + 46, the partner right of x + 108.
    static constexpr int32_t kOwnEdge = 46;
    static constexpr int32_t kPartnerEdge = 108;

    // `partner` is the screen uncovered on the right (not owned); `done` runs when a slide ends.
    SlidePanel(Screen* partner, std::function<void()> done);
    ~SlidePanel() override;

    void Draw() override;
    void OnCreate() override;
    bool Update() override;

    void StartClose();
    void StartOpen();

    bool IsSliding() const { return x_ != kIdle; }
    bool IsOpening() const { return opening_; }
    int32_t GetX() const { return x_; }

private:
    void Begin(int32_t x, bool opening);
    void ApplyClips();
    void SetVerticalBlankWait(bool on);

    Screen* partner_;
    std::function<void()> done_;
    bool opening_ = false;
    int32_t x_ = kIdle;
    ClipRect ownClip_;
    ClipRect partnerClip_;
};

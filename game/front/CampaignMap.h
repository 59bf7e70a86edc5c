#pragma once
// The story campaign's map: the dynasties reached, a marker per completed level, the progress
// strip, a pulsing ring on the chosen level, the welcome banner before the first level, and the
// advance to the next level after a win (with a banner when a dynasty is completed).
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;
class CampaignMapHost;

class CampaignMap : public Widget {
public:
    static constexpr int32_t kDoneTimerId = 1;
    static constexpr int32_t kBannerHoldMs = 3000;

    explicit CampaignMap(CampaignMapHost* host);

    void Draw() override;
    void OnCreate() override;
    bool Update() override;
    bool OnTimer(int32_t timerId, int32_t firingIndex) override;
    void OnMouseMove(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;

    // The level at (x, y) of the map, or -1: a completed (or the frontier) level's marker, else a
    // reached dynasty's region.
    int32_t HitTest(int32_t x, int32_t y) const;
    // The last win's advance is shown when the map has slid in; until then the selection stands
    // one level back.
    void SetAdvancePending();
    void StartAdvance(bool dynastyEnd, const char* dynastyName);
    void StartWelcome();

    int32_t GetSelectedLevel() const { return selected_; }
    bool IsAdvancing() const { return advancing_; }
    bool IsAdvancePending() const { return advancePending_; }
    int32_t GetAdvanceAlpha() const { return advanceAlpha_; }
    int32_t GetBannerAlpha() const { return bannerAlpha_; }
    const String& GetBannerText() const { return bannerText_; }
    // The ring's alpha in the current frame: 55 to 255 and back every 40 frames.
    int32_t RingAlpha() const;

private:
    int32_t Completed() const;
    int32_t ShownProgress() const;
    void DrawRing(int32_t progress);

    CampaignMapHost* host_;
    String headerLeft_;
    String headerRight_;
    String bannerText_;
    String welcomeText_;
    BitmapFont* headerFont_ = nullptr;
    BitmapFont* welcomeFont_ = nullptr;
    BitmapFont* bannerFont_ = nullptr;
    int32_t selected_ = 0;
    uint32_t frameCounter_ = 0;
    bool advancePending_ = false;
    bool dynastyEnd_ = false;
    bool advancing_ = false;
    int32_t advanceAlpha_ = 0;
    bool bannerFadingIn_ = false;
    int32_t bannerAlpha_ = 0;
    int32_t bannerHold_ = 0;
};

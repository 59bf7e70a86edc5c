#pragma once

#include <cstdint>

#include "framework/ui/WidgetEffect.h"

// A frame-strip animation drawn at a position relative to its owner, stepping at a fixed
// interval: by a hook (mode 0), in a loop (1), back and forth (2) or wandering around a pivot
// frame with holds at the turning points (3). Loops can repeat after a delay; pauses of the
// owner's clock or of the owner itself do not make it jump when they end.
class AnimatedSprite : public WidgetEffect {
public:
    enum Mode : int32_t { kModeStep = 0, kModeLoop = 1, kModePingPong = 2, kModeWander = 3 };

    static constexpr int32_t kRandomDelay = -1;
    static constexpr int32_t kForever = -1;

    AnimatedSprite();

    void SetPaused(bool paused) override;
    bool Update(uint32_t gameTime) override;
    // The cell the sprite draws now and the one it drew last. A subclass that draws elsewhere
    // (in OnStep or AfterDraw) answers false.
    bool GetChangedArea(Rect& area) const override;
    void Draw() override;
    void SetClockPaused(bool paused) override;
    // The step of mode 0.
    virtual void OnStep() {}
    virtual void AfterDraw() {}

    // The strip: frames of `frameWidth` side by side, as tall as the image.
    void SetImage(int32_t x, int32_t y, int32_t imageId, int32_t frameWidth);
    // Starts a wander (mode 3) from a random frame; `delay` −1 waits a random time first.
    void Start(uint32_t intervalMs, int32_t pivot, int32_t backwardRange, int32_t forwardRange,
               int32_t holdAtTurnMs, int32_t loops, int32_t delayMs, bool drawDuringHold);
    // Runs in `mode` from frame 0 (after `delayMs`) for `loops` loops, −1 for ever.
    void Run(int32_t mode, uint32_t intervalMs, int32_t loops, int32_t delayMs);
    void Stop();

    void SetMode(int32_t mode) { mode_ = mode; }
    void SetKeyed(bool keyed, uint32_t colourKey) {
        keyed_ = keyed;
        colourKey_ = colourKey;
    }
    void RequestStop() { stopRequest_ = true; }
    void SetDrawWhenStopped(bool on) { drawWhenStopped_ = on; }
    void SetDrawDuringHold(bool on) { drawDuringHold_ = on; }
    // Milliseconds before another cycle once the loops are used up; 0 stops, −1 is random.
    void SetRepeatDelay(int32_t delayMs) { repeatDelay_ = delayMs; }
    void SetRandomDelayBounds(int32_t minimumMs, int32_t maximumMs);
    void SetAlpha(int32_t alpha) { alpha_ = alpha; }
    void SetFrame(int32_t frame) { frame_ = frame; }
    void SetPosition(int32_t x, int32_t y) {
        x_ = x;
        y_ = y;
    }

    bool IsRunning() const { return running_; }
    bool IsHolding() const { return hold_ >= 1; }
    int32_t GetFrame() const { return frame_; }
    int32_t GetFrameCount() const { return frameCount_; }
    int32_t GetHold() const { return hold_; }
    int32_t GetLoopsRemaining() const { return loopsRemaining_; }
    int32_t GetTurnFrame() const { return turnFrame_; }
    bool IsForward() const { return forward_; }

protected:
    void OnAttach() override;

private:
    void Measure();
    void Step();
    void StepLoop();
    void StepPingPong();
    void StepWander();
    // Mode 3's next turning point beyond the pivot, forward or backward.
    int32_t ForwardTurn() const;
    int32_t BackwardTurn() const;
    // The end of one loop; `stopFrame` is the frame to rest on when the sprite stops, or −1.
    void EndLoop(int32_t stopFrame);
    // The cell a frame takes, in frame coordinates, with the owner where it now stands.
    Rect CellOn(const Widget& owner) const;
    int32_t DrawDelay(int32_t delayMs) const;
    void UpdatePause();
    uint32_t OwnerTime() const;
    void RequestRedraw() const;

    uint32_t interval_ = 0;
    int32_t frame_ = 0;
    int32_t hold_ = 0;
    int32_t repeatDelay_ = 0;
    int32_t loopsReload_ = 0;
    int32_t turnFrame_ = -1;
    int32_t loopsRemaining_ = kForever;
    int32_t pivot_ = 0;
    int32_t backwardRange_ = 0;
    int32_t forwardRange_ = 0;
    bool forward_ = true;
    bool running_ = false;
    uint32_t stepBase_ = 0;
    uint32_t pauseStart_ = 0;
    bool paused_ = false;
    int32_t imageId_ = 0;
    bool keyed_ = false;
    uint32_t colourKey_ = 0;
    int32_t mode_ = kModeStep;
    bool userPaused_ = false;
    bool clockPaused_ = false;
    bool drawWhenStopped_ = false;
    bool drawDuringHold_ = true;
    int32_t randomMin_ = 250;
    int32_t randomMax_ = 1250;
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    int32_t frameCount_ = 0;
    int32_t alpha_ = 255;
    bool stopRequest_ = false;
    int32_t holdAtTurn_ = 0;
    Rect drawn_;  // frame coordinates
};

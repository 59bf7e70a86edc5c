#include "framework/ui/AnimatedSprite.h"

#include <algorithm>

#include "framework/ui/ScreenManager.h"
#include "framework/ui/Widget.h"
#include "platform/Random.h"

namespace {

// However long the clock jumped, one update makes at most this many steps, so a stalled or
// wrapped clock cannot hold the frame for seconds.
constexpr uint32_t kMaxStepsPerUpdate = 100000;

}  // namespace

AnimatedSprite::AnimatedSprite() = default;

void AnimatedSprite::SetImage(int32_t x, int32_t y, int32_t imageId, int32_t frameWidth) {
    x_ = x;
    y_ = y;
    imageId_ = imageId;
    frameWidth_ = frameWidth;
    Measure();
}

// The strip can be measured only once an owner gives access to the images; a sprite set up
// before it is added to its widget is measured when attached.
void AnimatedSprite::Measure() {
    frameCount_ = 0;
    frameHeight_ = 0;
    Widget* owner = GetOwner();
    int32_t width = 0, height = 0;
    if (!owner || !owner->GetImageSize(imageId_, width, height)) return;
    frameHeight_ = height;
    if (frameWidth_ >= 1) frameCount_ = width / frameWidth_;
}

void AnimatedSprite::OnAttach() { Measure(); }

// minimum + rand() % (maximum - minimum): bounds given the wrong way round take the remainder
// of a negative span, which is never negative, so the delay lies from the minimum upwards.
int32_t AnimatedSprite::DrawDelay(int32_t delayMs) const {
    if (delayMs != kRandomDelay) return delayMs;
    if (randomMin_ == randomMax_) return randomMin_;
    return static_cast<int32_t>(randomMin_ + Rand() % (static_cast<int64_t>(randomMax_) - randomMin_));
}

void AnimatedSprite::SetRandomDelayBounds(int32_t minimumMs, int32_t maximumMs) {
    randomMin_ = minimumMs;
    randomMax_ = maximumMs;
}

void AnimatedSprite::Start(uint32_t intervalMs, int32_t pivot, int32_t backwardRange,
                           int32_t forwardRange, int32_t holdAtTurnMs, int32_t loops,
                           int32_t delayMs, bool drawDuringHold) {
    interval_ = intervalMs;
    pivot_ = pivot;
    backwardRange_ = backwardRange;
    forwardRange_ = forwardRange;
    holdAtTurn_ = holdAtTurnMs;
    loopsRemaining_ = loops;
    loopsReload_ = loops;
    drawDuringHold_ = drawDuringHold;
    mode_ = kModeWander;
    turnFrame_ = -1;
    hold_ = DrawDelay(delayMs);
    frame_ = frameCount_ > 1 ? Rand() % (frameCount_ - 1) : 0;
    if (frame_ == pivot_) {
        frame_ = pivot_ - 1;
        forward_ = true;
    } else {
        forward_ = frame_ < pivot_;
    }
    stepBase_ = 0;
    paused_ = false;
    running_ = true;
}

void AnimatedSprite::Run(int32_t mode, uint32_t intervalMs, int32_t loops, int32_t delayMs) {
    mode_ = mode;
    interval_ = intervalMs;
    loopsRemaining_ = loops;
    loopsReload_ = loops;
    frame_ = 0;
    forward_ = true;
    turnFrame_ = -1;
    hold_ = DrawDelay(delayMs);
    stepBase_ = 0;
    paused_ = false;
    running_ = true;
}

void AnimatedSprite::Stop() {
    frame_ = 0;
    running_ = false;
    stopRequest_ = false;
}

uint32_t AnimatedSprite::OwnerTime() const {
    Widget* owner = GetOwner();
    return owner ? owner->GetManagerTime() : 0;
}

void AnimatedSprite::RequestRedraw() const {
    Widget* owner = GetOwner();
    if (ScreenManager* manager = owner ? owner->GetManager() : nullptr) manager->MarkDirty();
}

void AnimatedSprite::SetPaused(bool paused) {
    userPaused_ = paused;
    UpdatePause();
    if (!paused) RequestRedraw();
}

void AnimatedSprite::SetClockPaused(bool paused) {
    clockPaused_ = paused;
    UpdatePause();
    if (!paused) RequestRedraw();
}

// The step base moves on by the paused span, so the next step comes as long after the resume as
// it was due before the pause.
void AnimatedSprite::UpdatePause() {
    if (stepBase_ == 0) return;
    bool pausedNow = userPaused_ || clockPaused_;
    if (pausedNow && !paused_) {
        pauseStart_ = OwnerTime();
        paused_ = true;
    } else if (!pausedNow && paused_) {
        stepBase_ += OwnerTime() - pauseStart_;
        paused_ = false;
    }
}

bool AnimatedSprite::Update(uint32_t gameTime) {
    if (!running_ || userPaused_ || clockPaused_) return false;
    if (stepBase_ == 0) stepBase_ = gameTime;
    uint32_t elapsed = gameTime - stepBase_;
    if (hold_ >= 1) {
        if (elapsed < static_cast<uint32_t>(hold_)) return false;
        hold_ = 0;
        stepBase_ = gameTime;
        if (!stopRequest_) return false;
        Stop();
        return true;
    }
    // An interval of 0 would divide by zero: it steps every millisecond.
    uint32_t interval = interval_ < 1 ? 1 : interval_;
    if (elapsed < interval) return false;
    uint32_t steps = elapsed / interval;
    if (steps > kMaxStepsPerUpdate) steps = kMaxStepsPerUpdate;
    for (uint32_t i = 0; i < steps && running_ && hold_ < 1; ++i) Step();
    stepBase_ = gameTime;
    return true;
}

void AnimatedSprite::Step() {
    switch (mode_) {
        case kModeStep: OnStep(); break;
        case kModeLoop: StepLoop(); break;
        case kModePingPong: StepPingPong(); break;
        case kModeWander: StepWander(); break;
        default: break;
    }
}

void AnimatedSprite::StepLoop() {
    ++frame_;
    if (frame_ >= frameCount_) {
        frame_ = 0;
        EndLoop(frameCount_ > 0 ? frameCount_ - 1 : 0);
    }
}

// The direction turns on the step taken at an end frame, so each end frame shows for two steps,
// and a loop ends on the step taken at frame 0.
void AnimatedSprite::StepPingPong() {
    if (!forward_) {
        if (frame_ > 0) {
            --frame_;
            return;
        }
        forward_ = true;
        EndLoop(0);
        return;
    }
    if (frame_ < frameCount_ - 1) {
        ++frame_;
        return;
    }
    forward_ = false;
}

// A turning point on the pivot itself would send the sprite away from it for ever, since new
// turning points are chosen only there: each lies at least one frame beyond the pivot.
void AnimatedSprite::StepWander() {
    frame_ += forward_ ? 1 : -1;
    if (frame_ == pivot_) {
        if (forward_) {
            turnFrame_ = std::max(ForwardTurn(), pivot_ + 1);
            EndLoop(-1);
            if (!running_) return;
        } else {
            turnFrame_ = std::min(BackwardTurn(), pivot_ - 1);
        }
    }
    if (frame_ == turnFrame_) {
        forward_ = !forward_;
        hold_ = holdAtTurn_;
    }
}

// At least the forward range past the pivot, drawn up to the last frame. A range that ends at
// the strip's end turns at the frame count, one step past the last frame, which draws as the
// last; one that passes the end would draw a turning point beyond the strip and leave the sprite
// on its last frame for many steps, so it turns on the last frame.
int32_t AnimatedSprite::ForwardTurn() const {
    const int32_t first = pivot_ + forwardRange_;
    const int32_t span = frameCount_ - first;
    if (span > 0) return first + Rand() % span;
    return span == 0 ? first : frameCount_ - 1;
}

// At least the backward range before the pivot, drawn down to frame 0; one step before frame 0
// when the range ends exactly there, and frame 0 when it passes it.
int32_t AnimatedSprite::BackwardTurn() const {
    const int32_t last = pivot_ - backwardRange_;
    if (last >= 0) return last - Rand() % (last + 1);
    return last == -1 ? -1 : 0;
}

void AnimatedSprite::EndLoop(int32_t stopFrame) {
    if (stopRequest_) {
        Stop();
        return;
    }
    if (loopsRemaining_ == kForever) return;
    --loopsRemaining_;
    if (loopsRemaining_ != 0) return;
    if (repeatDelay_ == 0) {
        running_ = false;
        if (stopFrame >= 0) frame_ = stopFrame;
        return;
    }
    loopsRemaining_ = loopsReload_;
    hold_ = DrawDelay(repeatDelay_);
}

Rect AnimatedSprite::CellOn(const Widget& owner) const {
    int32_t x = 0, y = 0;
    owner.GetAbsolutePosition(x, y);
    return Rect{x + x_, y + y_, x + x_ + frameWidth_, y + y_ + frameHeight_};
}

bool AnimatedSprite::GetChangedArea(Rect& area) const {
    Widget* owner = GetOwner();
    if (!owner) return false;
    area = Rect::Union(CellOn(*owner), drawn_);
    return true;
}

void AnimatedSprite::Draw() {
    drawn_ = Rect{};
    if (!running_ && !drawWhenStopped_) return;
    if (hold_ >= 1 && !drawDuringHold_) return;
    Widget* owner = GetOwner();
    if (!owner || frameCount_ < 1 || frameWidth_ < 1) return;
    int32_t frame = frame_ < 0 ? 0 : (frame_ >= frameCount_ ? frameCount_ - 1 : frame_);
    Rect source{frame * frameWidth_, 0, frame * frameWidth_ + frameWidth_, frameHeight_};
    if (keyed_) {
        owner->DrawImageEx(x_, y_, imageId_, colourKey_, &source, true, 100, 100, alpha_);
    } else {
        owner->DrawImage(x_, y_, imageId_, &source, true, 100, 100, alpha_);
    }
    drawn_ = CellOn(*owner);
    AfterDraw();
}

#include "game/play/Hud.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/ScreenManager.h"

namespace {

struct Placed {
    int id;
    int x;
    int y;
};

constexpr Placed kStoryFrame[] = {{127, 0, 0}, {125, 0, 60}, {128, 0, 504},
                                  {126, 0, Hud::kBottomBarTop}};
constexpr Placed kFreeFrame[] = {{261, 0, 0},     {263, 54, 60},   {262, 54, 506},
                                 {275, 0, Hud::kBottomBarTop},     {272, 0, 114},
                                 {273, 784, 114}, {274, 0, 60},    {260, 746, 60},
                                 {270, 0, 466},   {271, 746, 466}};

constexpr int kStripImage = 253;
constexpr int kStripTick = 255;
constexpr int kStripMarker = 254;
constexpr int32_t kClockX = 76, kClockY = 22;

}  // namespace

Hud::Hud(int mode) : mode_(mode) { ResetClock(); }

void Hud::OnCreate()
{
    labelTime_.LoadResString(161);
    labelScore_.LoadResString(158);
    labelBest_.LoadResString(152);
    labelPairs_.LoadResString(154);
    labelTiles_.LoadResString(160);
    numberFont_ = GetFont(203, 202);
    yearFont_ = GetFont(163, 162);
    labelFont_ = GetFont(210, 211);
    smallFont_ = GetFont(213, 212);
    if (mode_ == kFreePlay) titleFont_ = GetFont(296, 295);
    if (ScreenManager* manager = GetManager()) {
        for (int id : {127, 125, 128, 126, 253, 255, 254, 203, 163, 210, 213}) manager->LoadImage(id);
    }
    EnableUpdates(true);
}

String Hud::Year(int year)
{
    String text;
    if (year >= 0) text.FormatResString(6, year);
    else text.FormatResString(7, year == INT32_MIN ? INT32_MAX : -year);
    return text;
}

void Hud::SetCaption(const String& caption, int firstYear, int lastYear)
{
    title_ = caption;
    firstYear_ = Year(firstYear);
    lastYear_ = Year(lastYear);
}

void Hud::SetCounters(int pairs, int tiles)
{
    if (pairs == -1) counterA_.Empty();
    else counterA_.FormatNumber(pairs);
    if (tiles == -1) counterB_.Empty();
    else counterB_.FormatNumber(tiles);
}

void Hud::SetScore(int score) { score_.FormatNumber(score); }

void Hud::SetBestScore(int score) { bestScore_.FormatNumber(score); }

void Hud::SetBestTime(int seconds)
{
    if (seconds == kNoTime) bestTime_.LoadResString(39);
    else bestTime_.FormatSeconds(std::clamp(seconds, 0, kMaxSeconds));
}

void Hud::SetProgress(int levelsInDynasty, int place)
{
    levels_ = std::max(levelsInDynasty, 0);
    place_ = std::clamp(place, 0, std::max(levels_ - 1, 0));
}

void Hud::ResetClock()
{
    clock_.FormatSeconds(0);
    stoppedSeconds_ = 0;
    lastShown_ = 0;
    running_ = false;
}

void Hud::StartClock(int seconds)
{
    running_ = true;
    startTime_ = GetLocalTime() - static_cast<uint32_t>(std::clamp(seconds, 0, kMaxSeconds)) * 1000u;
    ClockTick();
}

void Hud::StopClock()
{
    if (!running_) return;
    stoppedSeconds_ = ElapsedSeconds();
    running_ = false;
}

void Hud::AddSeconds(int seconds)
{
    if (running_) startTime_ -= static_cast<uint32_t>(std::max(seconds, 0)) * 1000u;
    else stoppedSeconds_ = std::min(stoppedSeconds_ + std::max(seconds, 0), kMaxSeconds);
}

int Hud::ElapsedSeconds() const
{
    if (!running_) return stoppedSeconds_;
    const uint32_t seconds = (GetLocalTime() - startTime_) / 1000u;
    return static_cast<int>(std::min<uint32_t>(seconds, kMaxSeconds));
}

bool Hud::Update()
{
    const String before = clock_;
    if (!ClockTick()) return false;
    ScreenManager* manager = GetManager();
    if (!numberFont_ || !manager) return true;
    int32_t x = 0, y = 0;
    GetAbsolutePosition(x, y);
    const Rect old = numberFont_->TextBounds(kClockX, kClockY, before.CStr(), 100, 100);
    const Rect now = numberFont_->TextBounds(kClockX, kClockY, clock_.CStr(), 100, 100);
    manager->MarkDirty(Rect::Union(old, now).Offset(x, y));
    return false;
}

bool Hud::ClockTick()
{
    if (!running_) return false;
    const int seconds = ElapsedSeconds();
    if (seconds == lastShown_) return false;
    lastShown_ = seconds;
    clock_.FormatSeconds(seconds);
    return true;
}

void Hud::Draw()
{
    DrawFrame();
    DrawTexts();
    DrawProgress();
}

void Hud::DrawFrame()
{
    if (mode_ == kStory) {
        for (const Placed& p : kStoryFrame) DrawImage(p.x, p.y, p.id, nullptr, true);
    } else {
        for (const Placed& p : kFreeFrame) DrawImage(p.x, p.y, p.id, nullptr, true);
    }
}

void Hud::DrawTexts()
{
    if (labelFont_) {
        labelFont_->DrawRightAligned(this, 64, 25, labelTime_.CStr(), 100, 100, 255);
        labelFont_->DrawRightAligned(this, 700, 25, labelScore_.CStr(), 100, 100, 255);
    }
    if (smallFont_) {
        smallFont_->DrawRightAligned(this, 64, 46, labelBest_.CStr(), 100, 100, 255);
        smallFont_->DrawRightAligned(this, 700, 46, labelBest_.CStr(), 100, 100, 255);
        smallFont_->DrawCentered(this, 55, 541, labelPairs_.CStr(), 42, 100, 100, 255);
        smallFont_->DrawCentered(this, 55, 576, labelTiles_.CStr(), 42, 100, 100, 255);
    }
    if (BitmapFont* font = mode_ == kFreePlay ? titleFont_ : labelFont_)
        font->DrawCentered(this, 0, 27, title_.CStr(), kFrameWidth, 100, 100, 255);
    if (yearFont_) {
        if (!firstYear_.IsEmpty())
            yearFont_->DrawRightAligned(this, 264, 50, firstYear_.CStr(), 100, 100, 255);
        if (!lastYear_.IsEmpty())
            yearFont_->DrawText(this, 555, 50, lastYear_.CStr(), -1, 100, 100, 255);
        if (!bestTime_.IsEmpty())
            yearFont_->DrawCentered(this, 70, 46, bestTime_.CStr(), 82, 100, 100, 255);
        if (!bestScore_.IsEmpty())
            yearFont_->DrawCentered(this, 706, 46, bestScore_.CStr(), 76, 100, 100, 255);
        yearFont_->DrawCentered(this, 56, 559, counterA_.CStr(), 40, 100, 100, 255);
        yearFont_->DrawCentered(this, 56, 593, counterB_.CStr(), 40, 100, 100, 255);
    }
    if (numberFont_) {
        numberFont_->DrawText(this, kClockX, kClockY, clock_.CStr(), -1, 100, 100, 255);
        numberFont_->DrawCentered(this, 706, 22, score_.CStr(), 76, 100, 100, 255);
    }
}

void Hud::DrawProgress()
{
    if (levels_ <= 0) return;
    const int step = 275 / levels_;
    const Rect filled{0, 0, place_ * step + 6, 15};
    DrawImage(268, 39, kStripImage, &filled, true);
    for (int i = 1; i < levels_; ++i) DrawImage(266 + i * step, 44, kStripTick, nullptr, true);
    DrawImage(265 + place_ * step, 33, kStripMarker, nullptr, true);
}

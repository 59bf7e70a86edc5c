#include "game/play/TileLegend.h"

#include <string>

#include "framework/gfx/BitmapFont.h"

namespace {
constexpr int kBases = 102;
constexpr int kFaces = 101;
constexpr uint32_t kMagentaKey = 0xFF00FF;
}  // namespace

void TileLegend::Split(int textId, std::array<String, 4>* captions)
{
    String text;
    text.LoadResString(textId);
    const char* start = text.CStr();
    for (String& caption : *captions) {
        const char* end = start;
        while (*end && *end != '\t') ++end;
        caption = String(std::string(start, end).c_str());
        start = *end ? end + 1 : end;
    }
}

void TileLegend::OnCreate()
{
    if (mode_ == kBouncingPicture) {
        EnableUpdates(true);
        return;
    }
    if (mode_ == kFlowersAndSeasons) {
        Split(93, &upper_);
        Split(105, &lower_);
    } else {
        text94_.LoadResString(94);
        text103_.LoadResString(103);
    }
    font_ = GetFont(307, 306);
}

bool TileLegend::Pulse()
{
    const int step = static_cast<int>((GetLocalTime() / 25) % 20);
    offset_ = step <= 10 ? step : 20 - step;
    return true;
}

void TileLegend::DrawTile(int x, int y, int kind)
{
    const Rect base{0, 0, 48, 58};
    DrawImageEx(x, y, kBases, kMagentaKey, &base, true);
    if (kind < 1 || kind > 42) return;
    const int face = kind - 1;
    const Rect source{38 * (face % 6), 48 * (face / 6), 38 * (face % 6) + 38, 48 * (face / 6) + 48};
    DrawImage(x + 7, y + 3, kFaces, &source, true);
}

void TileLegend::Draw()
{
    if (mode_ == kFlowersAndSeasons) {
        for (int i = 0; i < 4; ++i) {
            DrawTile(80 * i, 0, 39 + i);
            DrawTile(80 * i, 145, 35 + i);
            if (!font_) continue;
            font_->DrawCentered(this, 80 * i, 75, upper_[static_cast<size_t>(i)].CStr(), 48, 100, 100, 255);
            font_->DrawCentered(this, 80 * i, 220, lower_[static_cast<size_t>(i)].CStr(), 48, 100, 100, 255);
        }
    } else if (mode_ == kBouncingPicture) {
        DrawImage(0, offset_, kBouncingPicture, nullptr, true);
    } else {
        DrawImage(15, 11, mode_, nullptr, true);
        if (!font_) return;
        font_->DrawRightAligned(this, 35, 118, text94_.CStr(), 100, 100, 255);
        // Clear of the row's last tile, whose base would stand behind the caption's first letters.
        font_->DrawText(this, 175, 117, text94_.CStr(), -1, 100, 100, 255);
        font_->DrawRightAligned(this, 135, 25, text103_.CStr(), 100, 100, 255);
        font_->DrawText(this, 250, 50, text94_.CStr(), -1, 100, 100, 255);
    }
}

#pragma once
// The picture of a tutorial tip: the flowers and seasons with their names (mode 63), a bouncing
// picture (mode 370), or a picture with the words that explain it (any other picture id).
#include <array>
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class TileLegend : public Widget {
public:
    static constexpr int kFlowersAndSeasons = 63;
    static constexpr int kBouncingPicture = 370;

    explicit TileLegend(int mode) : mode_(mode) {}

    void Draw() override;
    void OnCreate() override;
    bool Update() override { return Pulse(); }

    // Moves the bouncing picture: 0 to 10 pixels and back every 500 ms of local time.
    bool Pulse();
    void DrawTile(int x, int y, int kind);

    int Offset() const { return offset_; }
    const String& UpperCaption(int i) const { return upper_[static_cast<size_t>(i)]; }
    const String& LowerCaption(int i) const { return lower_[static_cast<size_t>(i)]; }

private:
    static void Split(int textId, std::array<String, 4>* captions);

    int mode_;
    BitmapFont* font_ = nullptr;
    String text94_;
    String text103_;
    std::array<String, 4> upper_;
    std::array<String, 4> lower_;
    int offset_ = 0;
};

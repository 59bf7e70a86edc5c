#pragma once
// The framed box of every dialog: corners, edge pieces and a scaled background assembled from
// border pictures, a title, up to ten text lines, an optional timed text and an optional command
// sent by a press anywhere no later widget takes.
#include <cstdint>
#include <vector>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class AnimatedSprite;
class BitmapFont;

struct FramePanelLine {
    static constexpr int kMaxTabStops = 10;

    String text;
    uint8_t fontFlag = 0;  // 0 the line font, 1 the emphasis font
    int32_t mode = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t tabStops[kMaxTabStops] = {};
    int tabStopCount = 0;
};

class FramePanel : public Widget {
public:
    enum CornerStyle : int32_t { kLargeCorner = 0, kSmallCorner = 1, kOrnamentedCorner = 2 };
    enum PieceCode : int32_t { kShortPiece = 1, kMediumPiece = 2, kLongPiece = 3 };
    // How a line is laid out: word-wrapped across the content, split at line breaks at (x, y),
    // word-wrapped from x, word-wrapped and centred with x as the margin, right-aligned to end
    // at x.
    enum LineMode : int32_t { kWrapContent = 0, kLines = 1, kWrapFrom = 2, kWrapCentred = 3, kRightAligned = 4 };
    static constexpr int kMaxLines = 10;
    // An edge list is read no further than this many codes: a longer one is a caller's missing
    // terminator, not a frame.
    static constexpr int kMaxPiecesPerEdge = 32;

    // Image and text ids the panel draws with.
    static constexpr int32_t kLargeCornersImage = 277;
    static constexpr int32_t kSmallCornersImage = 282;
    static constexpr int32_t kOrnamentsImage = 279;
    static constexpr int32_t kHorizontalEdgesImage = 278;
    static constexpr int32_t kVerticalEdgesImage = 276;
    static constexpr int32_t kBackgroundImage = 280;
    static constexpr int32_t kSparkleImage = 288;
    static constexpr int32_t kSparkleFrameWidth = 22;

    FramePanel();
    ~FramePanel() override;

    void Draw() override;
    void OnCreate() override;
    bool Update() override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;

    // Bottom corners know the large and the small style only; anything else is the large one.
    void SetFrameStyle(int32_t topLeft, int32_t topRight, int32_t bottomLeft, int32_t bottomRight);
    // Four lists of piece codes, each ended by 0 or after kMaxPiecesPerEdge codes (a null list is
    // empty); the panel keeps copies.
    void SetEdgePieces(const int32_t* left, const int32_t* right, const int32_t* top, const int32_t* bottom);
    void SetTitle(int32_t textId);
    void SetTitleText(const String& title);
    void ClearLines();
    // False once ten lines are held.
    bool AddLine(const String& text, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag,
                 const int32_t* tabStops, int tabStopCount);
    void ShowTimedText(int32_t x, int32_t y, const String& text, int32_t seconds);
    // Width in the line font at 100 %; 0 before the panel is created.
    int32_t TextWidth(const char* text) const;
    void GetSize(int32_t& width, int32_t& height);
    void SetClickCommand(int32_t commandId);
    void SetActive(bool active);

    // The laid-out geometry, relative to the panel.
    Rect ContentRect();
    // Where wrapped text and the title may run: the content less the side edges' art and a
    // margin from it.
    Rect TextRect();
    const String& Title() const { return title_; }
    bool IsActive() const { return active_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    const FramePanelLine& Line(int index) const { return lines_[index]; }
    bool IsTimedTextShown() const { return timedSeconds_ > 0; }
    int32_t BackgroundScaleX() { ComputeLayout(); return backgroundScaleX_; }
    int32_t BackgroundScaleY() { ComputeLayout(); return backgroundScaleY_; }
    // The sparkles of the ornamented top corners; null until such a corner is laid out.
    AnimatedSprite* LeftSparkle() { ComputeLayout(); return leftSparkle_; }
    AnimatedSprite* RightSparkle() { ComputeLayout(); return rightSparkle_; }

private:
    void ComputeLayout();
    void InvalidateLayout();
    // Starts the sparkle at (x, y), making it on first use; `on` false stops one that exists.
    void PlaceSparkle(AnimatedSprite*& sparkle, bool on, int32_t x, int32_t y);
    void DrawLine(const FramePanelLine& line);
    void DrawEdges();
    BitmapFont* LineFont(uint8_t fontFlag) const;
    int32_t LineStep(const BitmapFont* font) const;

    String title_;
    std::vector<FramePanelLine> lines_;
    bool layoutDone_ = false;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t contentLeft_ = 0;
    int32_t contentTop_ = 0;
    int32_t contentRight_ = 0;
    int32_t contentBottom_ = 0;
    int32_t backgroundScaleX_ = 100;
    int32_t backgroundScaleY_ = 100;
    AnimatedSprite* leftSparkle_ = nullptr;
    AnimatedSprite* rightSparkle_ = nullptr;
    int32_t corners_[4] = {kLargeCorner, kLargeCorner, kLargeCorner, kLargeCorner};
    std::vector<int32_t> edges_[4];
    int32_t timedX_ = 0;
    int32_t timedY_ = 0;
    String timedText_;
    int32_t timedSeconds_ = 0;
    uint32_t timedStart_ = 0;
    bool timedStarted_ = false;
    int32_t clickCommand_ = -1;
    bool active_ = false;
    BitmapFont* timedFont_ = nullptr;
    BitmapFont* titleFont_ = nullptr;
    BitmapFont* lineFont_ = nullptr;
    BitmapFont* emphasisFont_ = nullptr;
};

#include "game/play/FramePanel.h"

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"
#include "framework/ui/AnimatedSprite.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

namespace {

enum Edge { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

constexpr int32_t kContentTop = 21;
constexpr int32_t kTitleY = 50;
// The side edges' art ends this far inside the content's left and right bounds; text keeps a
// further margin from it, so no glyph touches the frame.
constexpr int32_t kLeftArtInset = 2;
constexpr int32_t kRightArtInset = 5;
constexpr int32_t kTextMargin = 8;
constexpr int32_t kTimedFontImage = 284, kTimedFontMetrics = 283;
constexpr int32_t kTitleFontImage = 286, kTitleFontMetrics = 285;
constexpr int32_t kLineFontImage = 290, kLineFontMetrics = 289;
constexpr int32_t kEmphasisFontImage = 307, kEmphasisFontMetrics = 306;

// Lengths along the edge: vertical pieces (left, right) and horizontal ones (top, bottom),
// indexed by piece code.
constexpr int32_t kVerticalLength[4] = {0, 42, 63, 84};
constexpr int32_t kHorizontalLength[4] = {0, 48, 71, 95};

Rect VerticalPiece(int32_t code)
{
    switch (code) {
    case FramePanel::kLongPiece: return {0, 0, 12, 84};
    case FramePanel::kMediumPiece: return {12, 0, 24, 63};
    default: return {24, 0, 36, 42};
    }
}

Rect HorizontalPiece(int32_t code, bool bottomRow)
{
    const int32_t top = bottomRow ? 11 : 0;
    switch (code) {
    case FramePanel::kLongPiece: return {0, top, 95, top + 11};
    case FramePanel::kMediumPiece: return {95, top, 166, top + 11};
    default: return {166, top, 214, top + 11};
    }
}

const Rect kLargeTopLeft{0, 0, 84, 84}, kLargeTopRight{84, 0, 168, 84};
const Rect kLargeBottomLeft{0, 84, 84, 168}, kLargeBottomRight{84, 84, 168, 168};
const Rect kSmallTopLeft{0, 0, 64, 64}, kSmallTopRight{64, 0, 128, 64};
const Rect kSmallBottomLeft{0, 64, 64, 128}, kSmallBottomRight{64, 64, 128, 128};
const Rect kOrnamentedTopRight{128, 0, 192, 64}, kOrnamentedTopLeft{128, 64, 192, 128};
const Rect kLeftOrnament{0, 0, 67, 88}, kRightOrnament{67, 0, 134, 88};
constexpr int32_t kOrnamentWidth = 67;
constexpr int32_t kSparkleY = 100;
constexpr int32_t kLeftSparkleX = 22;
// The right sparkle sits this far right of where the top-right corner starts.
constexpr int32_t kRightSparkleOffset = 87;

// A wander around frame 10 of the strip, four frames each way, resting 100 ms at each turn.
constexpr uint32_t kSparkleIntervalMs = 100;
constexpr int32_t kSparklePivot = 10;
constexpr int32_t kSparkleRange = 4;
constexpr int32_t kSparkleHoldMs = 100;

}  // namespace

FramePanel::FramePanel() = default;

FramePanel::~FramePanel() = default;

void FramePanel::OnCreate()
{
    timedFont_ = GetFont(kTimedFontImage, kTimedFontMetrics);
    titleFont_ = GetFont(kTitleFontImage, kTitleFontMetrics);
    lineFont_ = GetFont(kLineFontImage, kLineFontMetrics);
    emphasisFont_ = GetFont(kEmphasisFontImage, kEmphasisFontMetrics);
}

void FramePanel::SetFrameStyle(int32_t topLeft, int32_t topRight, int32_t bottomLeft, int32_t bottomRight)
{
    auto topStyle = [](int32_t style) { return style >= kLargeCorner && style <= kOrnamentedCorner ? style : kLargeCorner; };
    auto bottomStyle = [](int32_t style) { return style == kSmallCorner ? kSmallCorner : kLargeCorner; };
    corners_[0] = topStyle(topLeft);
    corners_[1] = topStyle(topRight);
    corners_[2] = bottomStyle(bottomLeft);
    corners_[3] = bottomStyle(bottomRight);
    if (corners_[0] == kOrnamentedCorner || corners_[1] == kOrnamentedCorner)
        EnableUpdates(true);
    InvalidateLayout();
}

void FramePanel::SetEdgePieces(const int32_t* left, const int32_t* right, const int32_t* top, const int32_t* bottom)
{
    const int32_t* lists[4] = {left, right, top, bottom};
    for (int edge = 0; edge < 4; ++edge) {
        edges_[edge].clear();
        for (int i = 0; lists[edge] && i < kMaxPiecesPerEdge && lists[edge][i] != 0; ++i)
            if (lists[edge][i] >= kShortPiece && lists[edge][i] <= kLongPiece)
                edges_[edge].push_back(lists[edge][i]);
    }
    InvalidateLayout();
}

void FramePanel::SetTitle(int32_t textId) { SetTitleText(String(textId)); }

void FramePanel::SetTitleText(const String& title)
{
    title_ = title;
    if (GetManager())
        GetManager()->MarkDirty();
}

void FramePanel::ClearLines() { lines_.clear(); }

bool FramePanel::AddLine(const String& text, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag,
                         const int32_t* tabStops, int tabStopCount)
{
    if (LineCount() >= kMaxLines)
        return false;
    FramePanelLine line;
    line.text = text;
    line.fontFlag = fontFlag;
    line.mode = mode >= kWrapContent && mode <= kRightAligned ? mode : kWrapContent;
    line.x = x;
    line.y = y;
    if (tabStops && tabStopCount > 0) {
        line.tabStopCount = tabStopCount < FramePanelLine::kMaxTabStops ? tabStopCount : FramePanelLine::kMaxTabStops;
        for (int i = 0; i < line.tabStopCount; ++i)
            line.tabStops[i] = tabStops[i];
    }
    lines_.push_back(line);
    return true;
}

void FramePanel::ShowTimedText(int32_t x, int32_t y, const String& text, int32_t seconds)
{
    timedX_ = x;
    timedY_ = y;
    timedText_ = text;
    timedSeconds_ = seconds > 0 ? seconds : 0;
    timedStarted_ = false;
    EnableUpdates(true);
}

int32_t FramePanel::TextWidth(const char* text) const { return lineFont_ ? lineFont_->TextWidth(text, 100) : 0; }

void FramePanel::GetSize(int32_t& width, int32_t& height)
{
    ComputeLayout();
    // An ornamented top-right corner reaches past the frame by its ornament.
    width = width_ + (corners_[1] == kOrnamentedCorner ? kOrnamentWidth : 0);
    height = height_;
}

void FramePanel::SetClickCommand(int32_t commandId)
{
    clickCommand_ = commandId;
    EnableClicks(commandId != -1);
}

void FramePanel::SetActive(bool active)
{
    active_ = active;
    if (active)
        EnableUpdates(true);
}

Rect FramePanel::ContentRect()
{
    ComputeLayout();
    return {contentLeft_, contentTop_, contentRight_, contentBottom_};
}

Rect FramePanel::TextRect()
{
    ComputeLayout();
    return {contentLeft_ + kLeftArtInset + kTextMargin, contentTop_, contentRight_ - kRightArtInset - kTextMargin,
            contentBottom_};
}

void FramePanel::InvalidateLayout()
{
    layoutDone_ = false;
    if (GetManager())
        GetManager()->MarkDirty();
}

void FramePanel::ComputeLayout()
{
    if (layoutDone_)
        return;
    layoutDone_ = true;
    switch (corners_[0]) {
    case kSmallCorner:
        width_ = height_ = 64;
        contentLeft_ = 28;
        break;
    case kOrnamentedCorner:
        width_ = 131;
        height_ = 64;
        contentLeft_ = 95;
        break;
    default:
        width_ = height_ = 84;
        contentLeft_ = 28;
        break;
    }
    PlaceSparkle(leftSparkle_, corners_[0] == kOrnamentedCorner, kLeftSparkleX, kSparkleY);
    contentTop_ = kContentTop;
    for (int32_t code : edges_[kLeft])
        height_ += kVerticalLength[code];
    for (int32_t code : edges_[kTop])
        width_ += kHorizontalLength[code];
    PlaceSparkle(rightSparkle_, corners_[1] == kOrnamentedCorner, width_ + kRightSparkleOffset, kSparkleY);
    switch (corners_[1]) {
    case kSmallCorner:
        width_ += 64;
        break;
    case kOrnamentedCorner:
        width_ += 64;
        break;
    default:
        width_ += 84;
        break;
    }
    height_ += corners_[2] == kSmallCorner ? 64 : 84;
    contentRight_ = width_ - 25;
    contentBottom_ = height_ - 19;
    backgroundScaleX_ = (contentRight_ - contentLeft_) * 100 / 256;
    backgroundScaleY_ = (contentBottom_ - kContentTop) * 100 / 256;
}

void FramePanel::PlaceSparkle(AnimatedSprite*& sparkle, bool on, int32_t x, int32_t y)
{
    if (!on) {
        if (sparkle)
            sparkle->Stop();
        return;
    }
    if (!sparkle) {
        sparkle = new AnimatedSprite;
        AddEffect(sparkle);
        sparkle->SetImage(x, y, kSparkleImage, kSparkleFrameWidth);
    } else {
        sparkle->SetPosition(x, y);
        if (sparkle->IsRunning())
            return;
    }
    sparkle->Start(kSparkleIntervalMs, kSparklePivot, kSparkleRange, kSparkleRange, kSparkleHoldMs,
                   AnimatedSprite::kForever, 0, true);
}

void FramePanel::DrawEdges()
{
    int32_t left = 0;
    int32_t topEdgeX = 84;
    int32_t leftEdgeY = 84;
    switch (corners_[0]) {
    case kSmallCorner:
        DrawImage(0, 0, kSmallCornersImage, &kSmallTopLeft, true);
        topEdgeX = leftEdgeY = 64;
        break;
    case kOrnamentedCorner:
        DrawImage(0, 12, kOrnamentsImage, &kLeftOrnament, true);
        DrawImage(kOrnamentWidth, 0, kSmallCornersImage, &kOrnamentedTopLeft, true);
        left = kOrnamentWidth;
        topEdgeX = 131;
        leftEdgeY = 64;
        break;
    default:
        DrawImage(0, 0, kLargeCornersImage, &kLargeTopLeft, true);
        break;
    }
    int32_t x = topEdgeX;
    for (int32_t code : edges_[kTop]) {
        const Rect piece = HorizontalPiece(code, false);
        DrawImage(x, 12, kHorizontalEdgesImage, &piece, true);
        x += kHorizontalLength[code];
    }
    int32_t right = x + 64;
    int32_t rightEdgeY = 64;
    switch (corners_[1]) {
    case kOrnamentedCorner:
        DrawImage(x, 0, kSmallCornersImage, &kOrnamentedTopRight, true);
        DrawImage(x + 64, 12, kOrnamentsImage, &kRightOrnament, true);
        break;
    case kSmallCorner:
        DrawImage(x, 0, kSmallCornersImage, &kSmallTopRight, true);
        break;
    default:
        DrawImage(x, 0, kLargeCornersImage, &kLargeTopRight, true);
        right = x + 84;
        rightEdgeY = 84;
        break;
    }
    int32_t y = leftEdgeY;
    for (int32_t code : edges_[kLeft]) {
        const Rect piece = VerticalPiece(code);
        DrawImage(left + 18, y, kVerticalEdgesImage, &piece, true);
        y += kVerticalLength[code];
    }
    int32_t rightY = rightEdgeY;
    for (int32_t code : edges_[kRight]) {
        const Rect piece = VerticalPiece(code);
        DrawImage(right - 30, rightY, kVerticalEdgesImage, &piece, true);
        rightY += kVerticalLength[code];
    }
    int32_t bottom;
    if (corners_[2] == kSmallCorner) {
        DrawImage(left, y, kSmallCornersImage, &kSmallBottomLeft, true);
        bottom = y + 64;
        x = left + 64;
    } else {
        DrawImage(left, y, kLargeCornersImage, &kLargeBottomLeft, true);
        bottom = y + 84;
        x = left + 84;
    }
    for (int32_t code : edges_[kBottom]) {
        const Rect piece = HorizontalPiece(code, true);
        DrawImage(x, bottom - 25, kHorizontalEdgesImage, &piece, true);
        x += kHorizontalLength[code];
    }
    if (corners_[3] == kSmallCorner)
        DrawImage(x, bottom - 64, kSmallCornersImage, &kSmallBottomRight, true);
    else
        DrawImage(x, bottom - 84, kLargeCornersImage, &kLargeBottomRight, true);
}

void FramePanel::Draw()
{
    ComputeLayout();
    DrawImage(contentLeft_, kContentTop, kBackgroundImage, nullptr, true, backgroundScaleX_, backgroundScaleY_);
    DrawEdges();
    if (!title_.IsEmpty() && titleFont_) {
        const Rect text = TextRect();
        titleFont_->DrawWrappedLeft(this, text.left, kTitleY, text.right - text.left, height_,
                                    title_.CStr(), titleFont_->Metrics().rowHeight - 5, false, 255);
    }
    for (const FramePanelLine& line : lines_)
        DrawLine(line);
    if (timedSeconds_ > 0 && timedFont_)
        timedFont_->DrawText(this, timedX_, timedY_, timedText_.CStr(), -1, 100, 100, 255);
    if (clickCommand_ != -1)
        AddDrawnRect({0, 0, kFrameWidth, kFrameHeight});
}

BitmapFont* FramePanel::LineFont(uint8_t fontFlag) const { return fontFlag == 1 ? emphasisFont_ : lineFont_; }

int32_t FramePanel::LineStep(const BitmapFont* font) const { return font->Metrics().rowHeight - 1; }

void FramePanel::DrawLine(const FramePanelLine& line)
{
    BitmapFont* font = LineFont(line.fontFlag);
    if (!font)
        return;
    // Fonts are shared: tab stops are set only for the line that asks for them.
    if (line.tabStopCount > 0)
        font->SetTabStops(line.tabStops, line.tabStopCount);
    const char* text = line.text.CStr();
    const Rect area = TextRect();
    switch (line.mode) {
    case kLines:
        font->DrawLines(this, line.x, line.y, text, LineStep(font), 100, 100, 255);
        break;
    case kWrapFrom:
        font->DrawWrappedLeft(this, line.x, line.y, area.right - line.x, contentBottom_ - line.y - 10,
                              text, LineStep(font), false, 255);
        break;
    case kWrapCentred:
        font->DrawWrappedCentered(this, area.left + line.x, line.y, area.right - 2 * line.x - area.left,
                                  contentBottom_ - line.y - 10, text, LineStep(font), false, 255);
        break;
    case kRightAligned:
        font->DrawRightAligned(this, line.x, line.y, text, 100, 100, 255);
        break;
    default:
        font->DrawWrappedLeft(this, area.left, line.y, area.right - area.left, height_, text,
                              LineStep(font), false, 255);
        break;
    }
    if (line.tabStopCount > 0)
        font->SetTabStops(nullptr, 0);
}

bool FramePanel::Update()
{
    if (timedSeconds_ > 0) {
        const uint32_t now = GetLocalTime();
        if (!timedStarted_) {
            timedStarted_ = true;
            timedStart_ = now;
            return true;
        }
        if (now - timedStart_ > static_cast<uint32_t>(timedSeconds_) * 1000u) {
            timedSeconds_ = 0;
            return true;
        }
    }
    return active_;
}

bool FramePanel::OnLButtonDown(uint32_t keys, int32_t x, int32_t y)
{
    if (clickCommand_ == -1)
        return false;
    if (Screen* screen = GetScreen())
        screen->OnCommand(clickCommand_);
    return true;
}

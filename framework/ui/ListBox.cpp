#include "framework/ui/ListBox.h"

#include <algorithm>

#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Button.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

namespace {

constexpr int32_t kArrowFrames = 4;
constexpr int32_t kSideMargin = 2;
constexpr int32_t kOutlineWidth = 2;

}  // namespace

ListBox::ListBox(int32_t commandId, int32_t width, int32_t rowHeight, int32_t visibleRows,
                 int32_t pinnedRows)
    : commandId_(commandId),
      top_(std::max(pinnedRows, 0)),
      width_(width),
      rowHeight_(std::max(rowHeight, 1)),
      visibleRows_(std::max(visibleRows, 0)),
      pinnedRows_(std::clamp(pinnedRows, 0, std::max(visibleRows, 0))),
      rect_{0, 0, width + 2, std::max(rowHeight, 1) * std::max(visibleRows, 0) + 2} {
    top_ = pinnedRows_;
}

void ListBox::OnCreate() {
    SetCursorKind(ScreenManager::kCursorHand, false);
    EnableHover(true);
    EnableMouseMove(true);
    EnableClicks(true);
    EnableCommands(true);
    ResolveFont();
    if (arrows_ && !upArrow_) BuildArrows();
    OnListCreated();
}

void ListBox::SetFrame(uint32_t colour1, uint32_t colour2, uint32_t colour3) {
    frame_ = true;
    frameColours_[0] = colour1;
    frameColours_[1] = colour2;
    frameColours_[2] = colour3;
}

void ListBox::SetHighlightOutline(uint32_t colour) {
    outlined_ = true;
    outlineColour_ = colour;
}

void ListBox::SetFont(int32_t glyphImageId, int32_t metricsId, int32_t textX, int32_t textY,
                      int32_t disabledAlpha) {
    fontImageId_ = glyphImageId;
    fontMetricsId_ = metricsId;
    textX_ = textX;
    textY_ = textY;
    disabledAlpha_ = std::clamp(disabledAlpha, 0, 255);
    ResolveFont();
}

void ListBox::ResolveFont() {
    if (fontImageId_ != 0 && GetManager()) font_ = GetFont(fontImageId_, fontMetricsId_);
}

void ListBox::CreateArrows(int32_t upImageId, int32_t downImageId) {
    if (arrows_) return;
    arrows_ = true;
    upImageId_ = upImageId;
    downImageId_ = downImageId;
    if (GetManager()) BuildArrows();
}

void ListBox::BuildArrows() {
    int32_t upWidth = 0, upHeight = 0, downWidth = 0, downHeight = 0;
    GetImageSize(upImageId_, upWidth, upHeight);
    GetImageSize(downImageId_, downWidth, downHeight);
    upArrow_ = new Button(upImageId_, kArrowFrames, false);
    AddChild(upArrow_, rect_.right + 1, rect_.top + 1);
    upArrow_->SetEnabled(false);
    downArrow_ = new Button(downImageId_, kArrowFrames, false);
    AddChild(downArrow_, rect_.right + 1, rect_.bottom - downHeight - 1);
    downArrow_->SetEnabled(false);
    separatorX_ = rect_.right;
    rect_.right += upWidth / kArrowFrames + 2;
    UpdateArrows();
}

void ListBox::UpdateArrows() {
    if (!upArrow_ || !downArrow_) return;
    bool scrollable = GetItemCount() > visibleRows_ || top_ > pinnedRows_;
    upArrow_->SetEnabled(scrollable);
    downArrow_->SetEnabled(scrollable);
}

int32_t ListBox::AddItemId(int32_t stringId, int32_t data) {
    String text;
    text.LoadResString(stringId);
    return InsertItem(ListBoxItem{text, data});
}

int32_t ListBox::AddItemText(const String& text, int32_t data) {
    return InsertItem(ListBoxItem{text, data});
}

int32_t ListBox::InsertItem(const ListBoxItem& item) {
    items_.push_back(item);
    if (selection_ < 0) selection_ = 0;
    UpdateArrows();
    if (GetManager()) GetManager()->MarkDirty();
    return GetItemCount() - 1;
}

void ListBox::Select(int32_t index) {
    int32_t count = GetItemCount();
    if (count == 0) {
        selection_ = -1;
        return;
    }
    selection_ = std::clamp(index, 0, count - 1);
    int32_t scrolled = ScrolledRows();
    if (scrolled > 0 && selection_ >= top_ && selection_ >= top_ + scrolled) {
        top_ = selection_ - scrolled + 1;
    }
    if (GetManager()) GetManager()->MarkDirty();
}

void ListBox::RemoveItem(int32_t index) {
    int32_t count = GetItemCount();
    if (index < 0 || index >= count) return;
    items_.erase(items_.begin() + index);
    --count;
    if (count == 0) selection_ = -1;
    // When the removal leaves room below the last scrolled row, the rows move down by one.
    int64_t threshold = static_cast<int64_t>(pinnedRows_) - visibleRows_ + count;
    if (threshold >= 0 && index >= threshold && top_ > pinnedRows_) {
        --top_;
        if (selection_ >= pinnedRows_) --selection_;
    }
    if (count > 0 && selection_ >= count) --selection_;
    if (count > 0) selection_ = std::clamp(selection_, 0, count - 1);
    UpdateArrows();
    if (GetManager()) GetManager()->MarkDirty();
}

void ListBox::Clear() {
    items_.clear();
    top_ = pinnedRows_;
    selection_ = -1;
    if (upArrow_) upArrow_->SetEnabled(false);
    if (downArrow_) downArrow_->SetEnabled(false);
    if (GetManager()) GetManager()->MarkDirty();
}

String ListBox::GetItemText(int32_t index) const {
    if (index < 0 || index >= GetItemCount()) return String();
    return items_[index].text;
}

int32_t ListBox::GetItemData(int32_t index) const {
    if (index < 0 || index >= GetItemCount()) return 0;
    return items_[index].data;
}

int32_t ListBox::ItemAtRow(int32_t row) const {
    if (row < 0 || row >= visibleRows_) return -1;
    int32_t item = row < pinnedRows_ ? row : top_ - pinnedRows_ + row;
    return item < GetItemCount() ? item : -1;
}

bool ListBox::OnCommand(int32_t commandId) {
    if (!arrows_) return false;
    // A selected pinned row stays where it is; a scrolled one rides with its display row.
    auto rides = [this] { return selection_ >= pinnedRows_; };
    if (commandId == upImageId_ && top_ > pinnedRows_) {
        --top_;
        if (rides()) selection_ = std::max(selection_ - 1, pinnedRows_);
        if (GetManager()) GetManager()->MarkDirty();
        return true;
    }
    if (commandId == downImageId_ && ScrolledRows() + top_ < GetItemCount()) {
        ++top_;
        if (rides()) selection_ = std::min(selection_ + 1, GetItemCount() - 1);
        if (GetManager()) GetManager()->MarkDirty();
        return true;
    }
    return false;
}

bool ListBox::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    if (x < kSideMargin || x >= width_ - kSideMargin || y < 0) return false;
    int32_t row = y / rowHeight_;
    if (items_.empty() || row >= GetItemCount() || row >= visibleRows_) return false;
    // Rows past the end of a list that shrank while scrolled show nothing to pick.
    int32_t item = ItemAtRow(row);
    if (item < 0) return false;
    if (GetManager()) GetManager()->PlaySound(Button::kClickSoundId);
    selection_ = item;
    if (GetScreen()) GetScreen()->SendCommand(commandId_);
    if (GetManager()) GetManager()->MarkDirty();
    return true;
}

void ListBox::OnMouseMove(uint32_t keys, int32_t x, int32_t y) {
    int32_t rows = std::min(visibleRows_, GetItemCount());
    bool overRow = x > 1 && x < width_ - kSideMargin && y < rowHeight_ * rows;
    SetCursorKind(overRow ? ScreenManager::kCursorHand : ScreenManager::kCursorNormal, true);
}

void ListBox::Draw() {
    if (frame_) {
        DrawFrame(rect_, frameColours_[2], true);
        DrawFrame(rect_.Offset(-1, -1), frameColours_[0], true);
        DrawFrame(rect_.Offset(-2, -2), frameColours_[1], true);
    }
    if (arrows_) {
        DrawLine(separatorX_, rect_.top, separatorX_, rect_.bottom - 2, frameColours_[2], true);
        DrawLine(separatorX_ - 1, rect_.top - 1, separatorX_ - 1, rect_.bottom - 2,
                 frameColours_[0], true);
        DrawLine(separatorX_ - 2, rect_.top - 2, separatorX_ - 2, rect_.bottom - 2,
                 frameColours_[1], true);
    }
    if (selection_ >= 0) {
        int32_t row = selection_ < pinnedRows_ ? selection_ : pinnedRows_ + selection_ - top_;
        if (row >= 0 && row < visibleRows_) {
            const Rect bar = RowRect(row);
            FillRect(bar, highlightColour_, true);
            for (int32_t i = 0; outlined_ && i < kOutlineWidth; ++i) {
                DrawFrame(Rect{bar.left + i, bar.top + i, bar.right - 1 - i, bar.bottom - 1 - i},
                          outlineColour_, true);
            }
        }
    }
    if (!font_) return;
    int32_t alpha = IsEffectivelyEnabled() ? 255 : disabledAlpha_;
    for (int32_t row = 0; row < visibleRows_; ++row) {
        int32_t item = ItemAtRow(row);
        if (item < 0) {
            if (row < pinnedRows_) continue;
            break;
        }
        font_->DrawText(this, textX_, row * rowHeight_ + textY_, items_[item].text.CStr(),
                        width_ - textX_, 100, 100, alpha);
    }
}

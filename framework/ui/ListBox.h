#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/String.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/Widget.h"

class BitmapFont;
class Button;

// One row of a list box: its text and a value of the caller's.
struct ListBoxItem {
    String text;
    int32_t data = 0;
};

// A list of text rows in a bitmap font: a fixed number of rows of one height, the selected row
// under a bar, two arrow buttons beside the rows to scroll, and a number of pinned rows (the first
// items) that stay at the top while the rest scrolls below them. A click on a row selects it,
// plays the click sound and sends the list's command id to its screen, which reads the selection.
class ListBox : public Widget {
public:
    ListBox(int32_t commandId, int32_t width, int32_t rowHeight, int32_t visibleRows,
            int32_t pinnedRows);

    // Called at the end of OnCreate.
    virtual void OnListCreated() {}

    void Draw() override;
    void OnCreate() override;
    bool OnCommand(int32_t commandId) override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    void OnMouseMove(uint32_t keys, int32_t x, int32_t y) override;

    void SetHighlightColour(uint32_t colour) { highlightColour_ = colour; }
    // Outlines the selected row's bar as well, for a bar whose colour lies close to the rows'.
    void SetHighlightOutline(uint32_t colour);
    void SetFrame(uint32_t colour1, uint32_t colour2, uint32_t colour3);
    // A font of the asset module without a colour key; fetched once the list is attached.
    void SetFont(int32_t glyphImageId, int32_t metricsId, int32_t textX, int32_t textY,
                 int32_t disabledAlpha);
    // The arrow column; built at once when attached, else when the list is.
    void CreateArrows(int32_t upImageId, int32_t downImageId);

    int32_t AddItemId(int32_t stringId, int32_t data);
    int32_t AddItemText(const String& text, int32_t data);
    void Select(int32_t index);
    void RemoveItem(int32_t index);
    void Clear();

    int32_t GetItemCount() const { return static_cast<int32_t>(items_.size()); }
    // An index outside the list gives the empty text and 0.
    String GetItemText(int32_t index) const;
    int32_t GetItemData(int32_t index) const;
    int32_t GetSelection() const { return selection_; }
    int32_t GetTop() const { return top_; }
    int32_t GetCommandId() const { return commandId_; }
    const Rect& GetRect() const { return rect_; }
    Button* GetUpArrow() const { return upArrow_; }
    Button* GetDownArrow() const { return downArrow_; }
    // The item shown on display row `row`, or -1 for an empty row.
    int32_t ItemAtRow(int32_t row) const;
    // Where display row `row` lies, in the list's own coordinates.
    Rect RowRect(int32_t row) const { return Rect{0, row * rowHeight_, width_, (row + 1) * rowHeight_}; }

private:
    int32_t InsertItem(const ListBoxItem& item);
    void UpdateArrows();
    void BuildArrows();
    void ResolveFont();
    int32_t ScrolledRows() const { return visibleRows_ - pinnedRows_; }

    int32_t commandId_;
    std::vector<ListBoxItem> items_;
    int32_t top_;
    int32_t selection_ = -1;
    bool frame_ = false;
    bool arrows_ = false;
    int32_t separatorX_ = 0;
    int32_t upImageId_ = 0;
    int32_t downImageId_ = 0;
    Button* upArrow_ = nullptr;
    Button* downArrow_ = nullptr;
    int32_t width_;
    int32_t rowHeight_;
    int32_t visibleRows_;
    int32_t pinnedRows_;
    Rect rect_;
    uint32_t highlightColour_ = 0;
    bool outlined_ = false;
    uint32_t outlineColour_ = 0;
    uint32_t frameColours_[3] = {};
    BitmapFont* font_ = nullptr;
    int32_t fontImageId_ = 0;
    int32_t fontMetricsId_ = 0;
    int32_t textX_ = 0;
    int32_t textY_ = 0;
    int32_t disabledAlpha_ = 255;
};

#pragma once

#include <cstdint>

#include "framework/ui/Button.h"

class RadioGroup;

// One choice of a radio group: a two-frame strip, unselected then selected, with its caption
// drawn from the left edge of its box. A click selects its value in the group, then sends the
// command like any button.
class RadioButton : public Button {
public:
    RadioButton(int32_t imageId, RadioGroup* group, int32_t value);

    void OnClick() override;
    void DrawNormal() override;
    void DrawHover() override;

    void SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId, int32_t x,
                    int32_t y, int32_t alpha);
    // Stores the flag; the group's selection is not changed by it.
    void SetSelected(bool selected) { selected_ = selected; }
    bool IsSelected() const { return selected_; }
    int32_t GetValue() const { return value_; }
    RadioGroup* GetGroup() const { return group_; }

private:
    void DrawState();

    bool selected_ = false;
    RadioGroup* group_;
    int32_t value_;
};

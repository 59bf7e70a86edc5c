#include "framework/ui/RadioGroup.h"

#include "framework/ui/RadioButton.h"

void RadioGroup::AddMember(RadioButton* button) {
    if (button) members_.push_back(button);
}

void RadioGroup::Select(int32_t value) {
    if (value == selected_) return;
    selected_ = value;
    for (RadioButton* member : members_) member->SetSelected(member->GetValue() == value);
}

#pragma once

#include <cstdint>
#include <vector>

class RadioButton;

// Keeps one value selected among its radio buttons. A plain object owned by whoever made it; it
// does not own its members, which must outlive it or never be asked to select again.
class RadioGroup {
public:
    virtual ~RadioGroup() = default;

    void AddMember(RadioButton* button);
    // Selects `value`: each member is selected exactly when its value equals it.
    void Select(int32_t value);
    int32_t GetSelected() const { return selected_; }
    const std::vector<RadioButton*>& GetMembers() const { return members_; }

private:
    std::vector<RadioButton*> members_;
    int32_t selected_ = -1;
};

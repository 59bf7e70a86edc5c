#pragma once
// The choice of one of the six tile sets, kept apart for the story and for free play. Applying
// it stores the choice and has the play screen below deal its tiles from the new set.
#include <array>
#include <cstdint>

#include "framework/ui/RadioGroup.h"
#include "game/play/PanelScreen.h"

class TileSetButton;

class TileSetDialog : public PanelScreen {
public:
    enum Command : int32_t { kApply = 0, kClose = 1 };
    static constexpr int32_t kSetCount = 6;
    // What a choice outside the six sets is stored as.
    static constexpr int32_t kFallbackSet = 1;

    // `story` chooses which of the profile's two tile sets is edited.
    explicit TileSetDialog(bool story);

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    // Stores the chosen set, closes the dialog and has the play screen below apply it.
    void Apply();

    bool IsStory() const { return story_; }
    RadioGroup& GetGroup() { return group_; }
    TileSetButton* GetButton(int32_t value) const;

private:
    bool story_;
    bool closing_ = false;
    RadioGroup group_;
    std::array<TileSetButton*, kSetCount> buttons_{};
};

#pragma once
// Offered when no pair of free matching tiles is left: the player takes back the last move,
// shuffles, or starts a new deal.
#include <cstdint>

#include "framework/ui/RadioGroup.h"
#include "game/play/PanelScreen.h"

class NoMovesDialog : public PanelScreen {
public:
    enum Choice : int32_t { kUndo = 0, kShuffle = 1, kNewDeal = 2 };
    static constexpr int32_t kOkCommand = 1;

    NoMovesDialog();

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    int32_t Selected() const { return choices_.GetSelected(); }
    const RadioGroup& Choices() const { return choices_; }

private:
    RadioGroup choices_;
    bool closing_ = false;
};

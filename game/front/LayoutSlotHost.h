#pragma once
// What a cell of the free-play grid asks of the screen that holds it.
class LayoutSlotHost {
public:
    virtual ~LayoutSlotHost() = default;
    // A press on a filled cell.
    virtual void SelectSlot(int slot) = 0;
    // A double click on a filled cell: play it, after asking whether to resume its saved game.
    virtual void AskResume(int slot) = 0;
};

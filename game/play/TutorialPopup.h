#pragma once
// One of the nine tutorial tips: a framed box with a title, a text, sometimes a picture, and an
// OK button. Closing it ends the board's swaying of the tiles the tip talks about.
#include <cstdint>

#include "game/play/PanelScreen.h"

class Board;
struct TipAnchor;

class TutorialPopup : public PanelScreen {
public:
    static constexpr int kSteps = 9;
    static constexpr int32_t kOkCommand = 1;
    static constexpr int32_t kOkLabel = 124;

    // A step outside 0..8 shows step 0. With `anchor`, the box opens beside that tile instead of
    // at the step's own place. `board` is not owned and may be null.
    TutorialPopup(int step, Board* board, const TipAnchor* anchor = nullptr);

    // Pushes a popup over the play screen as the board raises it: an overlay that fades in and
    // leaves the screens below undimmed.
    static TutorialPopup* Open(ScreenManager* manager, int step, Board* board, const TipAnchor* anchor);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    int Step() const { return step_; }
    // The frame's size for a step, known before the box is pushed.
    static void FrameSize(int step, int32_t& width, int32_t& height);

private:
    struct Origin {
        int32_t x;
        int32_t y;
    };
    TutorialPopup(Origin origin, int step, Board* board);
    static int ValidStep(int step);
    static Origin OriginFor(int step, const TipAnchor* anchor);

    int step_;
    Board* board_;
    bool closing_ = false;
};

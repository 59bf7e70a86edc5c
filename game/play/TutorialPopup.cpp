#include "game/play/TutorialPopup.h"

#include "framework/ui/ScreenManager.h"
#include "game/play/Board.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "game/play/TileLegend.h"
#include "game/play/TipPlacement.h"

namespace {

struct TipLine {
    int32_t text;  // 0 ends the list
    int32_t mode;
    int32_t x;
    int32_t y;
};

// Edge lists end with 0, as the panel takes them.
struct TipRow {
    int32_t x;
    int32_t y;
    int32_t title;  // 0 = none
    TipLine lines[3];
    int32_t picture;  // 0 = none
    int32_t pictureX;
    int32_t pictureY;
    int32_t okX;
    int32_t okY;
    int32_t sides[5];
    int32_t top[5];
    int32_t bottom[5];
    bool keepsRedrawing;
};

constexpr TipRow kTips[TutorialPopup::kSteps] = {
    {160, 85, 56, {{55, 1, 50, 80}}, 359, 97, 135, 200, 306, {2, 3, 3}, {2, 2, 3, 3}, {3, 2, 2, 3}, false},
    {5, 195, 52, {{51, 1, 40, 80}}, 0, 0, 0, 142, 118, {1}, {1, 2, 3}, {3, 1, 2}, true},
    {10, 140, 54, {{53, 1, 55, 80}}, 0, 0, 0, 142, 158, {3}, {1, 2, 3}, {3, 1, 2}, true},
    {140, 80, 58, {{57, 1, 45, 83}}, 0, 0, 0, 153, 160, {3}, {2, 2, 3}, {3, 2, 2}, true},
    {202, 170, 60, {{59, 1, 45, 83}}, 0, 0, 0, 152, 158, {3}, {2, 2, 3}, {3, 2, 2}, true},
    {230, 120, 0, {{64, 0, 40, 60}}, 0, 0, 0, 130, 110, {1}, {1, 1, 3}, {3, 1, 1}, false},
    {130, 280, 66, {{65, 1, 40, 80}}, TileLegend::kBouncingPicture, 76, 195, 142, 138, {2}, {1, 2, 3}, {3, 1, 2}, false},
    {350, 80, 63, {{61, 0, 50, 80}, {62, 0, 50, 225}}, TileLegend::kFlowersAndSeasons, 73, 110, 177, 346,
     {3, 3, 2, 1}, {3, 3, 3}, {3, 3, 3}, true},
    {160, 85, 56, {{55, 1, 50, 80}}, 358, 97, 135, 200, 306, {2, 3, 3}, {2, 2, 3, 3}, {3, 2, 2, 3}, false},
};

void ApplyFrame(FramePanel& panel, const TipRow& row)
{
    panel.SetFrameStyle(FramePanel::kLargeCorner, FramePanel::kSmallCorner, FramePanel::kSmallCorner,
                        FramePanel::kLargeCorner);
    panel.SetEdgePieces(row.sides, row.sides, row.top, row.bottom);
}

}  // namespace

int TutorialPopup::ValidStep(int step) { return step >= 0 && step < kSteps ? step : 0; }

void TutorialPopup::FrameSize(int step, int32_t& width, int32_t& height)
{
    FramePanel frame;
    ApplyFrame(frame, kTips[ValidStep(step)]);
    frame.GetSize(width, height);
}

TutorialPopup::Origin TutorialPopup::OriginFor(int step, const TipAnchor* anchor)
{
    const TipRow& row = kTips[ValidStep(step)];
    if (!anchor)
        return {row.x, row.y};
    int32_t width = 0, height = 0;
    FrameSize(step, width, height);
    int x = 0, y = 0;
    PlaceTipBesideTile(*anchor, width, height, &x, &y);
    return {x, y};
}

TutorialPopup::TutorialPopup(int step, Board* board, const TipAnchor* anchor)
    : TutorialPopup(OriginFor(step, anchor), step, board)
{
}

TutorialPopup::TutorialPopup(Origin origin, int step, Board* board)
    : PanelScreen(origin.x, origin.y), step_(ValidStep(step)), board_(board)
{
}

TutorialPopup* TutorialPopup::Open(ScreenManager* manager, int step, Board* board, const TipAnchor* anchor)
{
    if (!manager)
        return nullptr;
    auto* popup = new TutorialPopup(step, board, anchor);
    manager->PushScreen(popup, true, false, true);
    return popup;
}

void TutorialPopup::Init()
{
    const TipRow& row = kTips[step_];
    if (FramePanel* panel = GetPanel())
        ApplyFrame(*panel, row);
    if (row.title != 0)
        SetTitle(row.title);
    for (const TipLine& line : row.lines) {
        if (line.text == 0)
            break;
        AddLine(line.text, line.mode, line.x, line.y, 0);
    }
    if (row.picture != 0)
        AddWidget(new TileLegend(row.picture), row.pictureX, row.pictureY);
    if (row.keepsRedrawing)
        SetPanelActive(true);
    TextButton* ok = TextButton::TextButtonFixed(kOkCommand);
    ok->SetLabel(kOkLabel);
    AddWidget(ok, row.okX, row.okY);
}

bool TutorialPopup::OnCommand(int32_t commandId)
{
    if (commandId != kOkCommand)
        return false;
    // A second press while the box fades out must not pop the screen below it.
    if (closing_)
        return true;
    closing_ = true;
    if (ScreenManager* manager = GetManager())
        manager->PopScreens(true, 1);
    if (board_)
        board_->StopTipGlow();
    return true;
}

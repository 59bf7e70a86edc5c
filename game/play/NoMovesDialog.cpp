#include "game/play/NoMovesDialog.h"

#include "framework/ui/RadioButton.h"
#include "framework/ui/ScreenManager.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kOriginX = 218;
constexpr int32_t kOriginY = 165;
constexpr int32_t kTitle = 123;
constexpr int32_t kRadioImage = 291;
constexpr int32_t kCaptionFont = 290, kCaptionMetrics = 289;
constexpr int32_t kOkLabel = 122;

struct ChoiceRow {
    int32_t value;
    int32_t caption;
    int32_t y;
};

constexpr ChoiceRow kChoices[] = {
    {NoMovesDialog::kUndo, 138, 60},
    {NoMovesDialog::kShuffle, 137, 90},
    {NoMovesDialog::kNewDeal, 136, 120},
};

}  // namespace

NoMovesDialog::NoMovesDialog() : PanelScreen(kOriginX, kOriginY) {}

void NoMovesDialog::Init()
{
    using P = FramePanel;
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    static const int32_t kSide[] = {P::kLongPiece, 0};
    static const int32_t kTop[] = {P::kShortPiece, P::kLongPiece, P::kMediumPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kShortPiece, P::kMediumPiece, 0};
    SetEdgePieces(kSide, kSide, kTop, kBottom);
    SetTitle(kTitle);
    for (const ChoiceRow& row : kChoices) {
        auto* choice = new RadioButton(kRadioImage, &choices_, row.value);
        choice->SetCaption(row.caption, kCaptionFont, kCaptionMetrics, 32, 20, 255);
        AddWidget(choice, 50, row.y);
    }
    choices_.Select(kUndo);
    TextButton* ok = TextButton::TextButtonFixed(kOkCommand);
    ok->SetLabel(kOkLabel);
    AddWidget(ok, 141, 160);
}

bool NoMovesDialog::OnCommand(int32_t commandId)
{
    if (commandId != kOkCommand)
        return false;
    // A second press while the box fades out must not act a second time.
    if (closing_)
        return true;
    closing_ = true;
    ScreenManager* manager = GetManager();
    if (!manager)
        return true;
    auto* play = dynamic_cast<PlayScreen*>(manager->PopScreens(true, 1));
    if (!play)
        return true;
    switch (Selected()) {
    case kShuffle:
        play->Shuffle();
        break;
    case kNewDeal:
        play->NewDeal();
        break;
    default:
        play->Undo();
        break;
    }
    return true;
}

#include "game/front/LevelCompleteDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/MessageBanner.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 38;
constexpr int32_t kTimeLabel = 37;
constexpr int32_t kScoreLabel = 36;
constexpr int32_t kOkLabel = 35;
constexpr int32_t kValueGap = 6;

}  // namespace

LevelCompleteDialog::LevelCompleteDialog(int32_t seconds, int32_t score, const String& levelCaption)
    : PanelScreen(125, 150), caption_(levelCaption)
{
    time_.FormatSeconds(seconds);
    score_.FormatNumber(score);
}

void LevelCompleteDialog::Init()
{
    using P = FramePanel;
    static const int32_t kSide[] = {P::kLongPiece, P::kLongPiece, 0};
    static const int32_t kTop[] = {P::kMediumPiece, P::kMediumPiece, P::kShortPiece, P::kLongPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kMediumPiece, P::kMediumPiece, P::kShortPiece, 0};
    SetFrameStyle(P::kOrnamentedCorner, P::kOrnamentedCorner, P::kSmallCorner, P::kSmallCorner);
    SetEdgePieces(kSide, kSide, kTop, kBottom);

    TextButton* ok = TextButton::TextButtonFixed(kOkCommand);
    ok->SetLabel(kOkLabel);
    AddWidget(ok, 234, 224);

    SetTitle(kTitleText);
    const struct {
        int32_t labelId;
        const String& value;
        int32_t x;
    } values[] = {{kTimeLabel, time_, 130}, {kScoreLabel, score_, 290}};
    for (const auto& v : values) {
        String label;
        label.LoadResString(v.labelId);
        AddTextLine(label, P::kLines, v.x, 85);
        AddTextLine(v.value, P::kLines, v.x + TextWidth(label.CStr()) + kValueGap, 85, 1);
    }

    banner_ = new MessageBanner(caption_);
    AddWidget(banner_, 120, 103);

    if (ScreenManager* manager = GetManager()) {
        manager->LoadSound(kWonSound, false);
        manager->PlaySound(kWonSound);
    }
}

bool LevelCompleteDialog::OnCommand(int32_t commandId)
{
    if (commandId != kOkCommand)
        return false;
    if (ScreenManager* manager = GetManager()) {
        if (auto* play = dynamic_cast<PlayScreen*>(manager->PopScreens(true, 1)))
            play->ReturnToCampaign();
    }
    return true;
}

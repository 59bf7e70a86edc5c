#include "game/front/LayoutCompleteDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/GameFlow.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 184;
constexpr int32_t kRecordFrame = 174;
constexpr int32_t kBothRecords = 175;
constexpr int32_t kScoreRecord = 176;
constexpr int32_t kTimeRecord = 178;
constexpr int32_t kValueGap = 6;

// True when `format` holds exactly one conversion and it is "%s", so that formatting it with one
// text cannot read arguments that were never passed.
bool TakesOneText(const char* format)
{
    int texts = 0;
    for (const char* c = format; *c; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c == '%')
            continue;
        if (*c != 's')
            return false;
        ++texts;
    }
    return texts == 1;
}

String RecordLine(bool newBestTime, bool newBestScore)
{
    const int32_t recordId = newBestScore ? (newBestTime ? kBothRecords : kScoreRecord)
                                          : (newBestTime ? kTimeRecord : 0);
    if (recordId == 0)
        return String();
    String record;
    record.LoadResString(recordId);
    String frame;
    frame.LoadResString(kRecordFrame);
    if (!TakesOneText(frame.CStr()))
        return record;
    String line;
    line.Format(frame.CStr(), record.CStr());
    return line;
}

String Seconds(int32_t seconds)
{
    String text;
    text.FormatSeconds(seconds);
    return text;
}

String Number(int32_t value)
{
    String text;
    text.FormatNumber(value);
    return text;
}

}  // namespace

LayoutCompleteDialog::LayoutCompleteDialog(int32_t seconds, int32_t bestSeconds, bool newBestTime,
                                           int32_t score, int32_t bestScore, bool newBestScore)
    : PanelScreen(135, 100),
      time_(Seconds(seconds)),
      bestTime_(Seconds(bestSeconds)),
      score_(Number(score)),
      bestScore_(Number(bestScore)),
      record_(RecordLine(newBestTime, newBestScore))
{
}

void LayoutCompleteDialog::AddLabelled(int32_t labelId, const String& value, int32_t x, int32_t y)
{
    String label;
    label.LoadResString(labelId);
    AddTextLine(label, FramePanel::kLines, x, y);
    AddTextLine(value, FramePanel::kLines, x + TextWidth(label.CStr()) + kValueGap, y, 1);
}

void LayoutCompleteDialog::Init()
{
    using P = FramePanel;
    static const int32_t kSide[] = {P::kMediumPiece, P::kShortPiece, 0};
    static const int32_t kTop[] = {P::kShortPiece, P::kLongPiece, P::kMediumPiece, P::kLongPiece,
                                   P::kMediumPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kShortPiece, P::kMediumPiece, P::kLongPiece,
                                      P::kMediumPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kSide, kSide, kTop, kBottom);
    SetTitle(kTitleText);

    AddLabelled(183, time_, 50, 85);
    AddLabelled(179, bestTime_, 300, 85);
    AddLabelled(182, score_, 50, 115);
    AddLabelled(177, bestScore_, 300, 115);
    if (!record_.IsEmpty())
        AddTextLine(record_, P::kWrapCentred, 0, 155);

    const struct {
        int32_t command, label, x;
    } buttons[] = {{kLayouts, 180, 62}, {kNextLayout, 181, 267}};
    for (const auto& b : buttons) {
        auto* button = new TextButton(b.command, 200);
        button->SetLabel(b.label);
        AddWidget(button, b.x, 175);
    }

    if (ScreenManager* manager = GetManager()) {
        manager->LoadSound(kClearedSound, false);
        manager->PlaySound(kClearedSound);
    }
}

bool LayoutCompleteDialog::OnCommand(int32_t commandId)
{
    ScreenManager* manager = GetManager();
    switch (commandId) {
    case kLayouts:
        GameFlow::ReturnToLayoutSelect(manager);
        return true;
    case kNextLayout:
        if (manager) {
            if (auto* play = dynamic_cast<PlayScreen*>(manager->PopScreens(true, 1)))
                play->NextLayout();
        }
        return true;
    default:
        return false;
    }
}

#include "game/front/NewPlayerDialog.h"

#include "framework/ui/EditBox.h"
#include "framework/ui/ScreenManager.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 173;
constexpr int32_t kEmptyNameText = 172;
constexpr int32_t kListFullText = 189;
constexpr int32_t kOkLabel = 168;
constexpr int32_t kCancelLabel = 166;

}  // namespace

NewPlayerDialog::NewPlayerDialog(bool firstPlayer) : PanelScreen(223, firstPlayer ? 218 : 182), firstPlayer_(firstPlayer) {}

void NewPlayerDialog::Init()
{
    using P = FramePanel;
    static const int32_t kLeft[] = {P::kShortPiece, 0};
    static const int32_t kTop[] = {P::kShortPiece, P::kLongPiece, P::kMediumPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kShortPiece, P::kMediumPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kLeft, kLeft, kTop, kBottom);
    SetTitle(kTitleText);

    edit_ = new EditBox(270, 22, PlayerList::kMaxNameLength, false);
    edit_->SetFont(290, 289, 16, 64);
    edit_->SetHighlightColour(0x081060);
    edit_->SetFrame(0x304838, 0x90B8A8, 0x102860);
    AddFocusableWidget(edit_, 48, 70);
    SetFocus(edit_);

    auto* ok = new TextButton(kOk, 102);
    ok->SetLabel(kOkLabel);
    if (firstPlayer_) {
        AddWidget(ok, 131, 117);
        return;
    }
    AddWidget(ok, 76, 117);
    auto* cancel = new TextButton(kCancel, 102);
    cancel->SetLabel(kCancelLabel);
    AddWidget(cancel, 186, 117);
}

bool NewPlayerDialog::OnCommand(int32_t commandId)
{
    if (commandId == kOk) {
        Accept();
        return true;
    }
    if (commandId == kCancel && !firstPlayer_) {
        if (!closing_ && GetManager()) {
            closing_ = true;
            GetManager()->PopScreens(true, 1);
        }
        return true;
    }
    return false;
}

void NewPlayerDialog::OnEditEnter(Widget* editBox) { Accept(); }

void NewPlayerDialog::Accept()
{
    // Enter and OK may both arrive while the box fades out: the player is added once.
    if (closing_ || !edit_)
        return;
    const String name = edit_->GetText();
    if (name.IsEmpty()) {
        ShowTimedText(43, 110, kEmptyNameText, 2);
        return;
    }
    PlayerList& players = ThePlayerList();
    const bool wasEmpty = players.Count() == 0;
    const int32_t id = players.Add(name);
    if (id == -1) {
        // The box stays open, so the player can cancel and make room first.
        ShowTimedText(43, 110, kListFullText, 3);
        return;
    }
    if (wasEmpty) {
        // The first player becomes current at once, with a profile of their own.
        players.SetCurrentId(id);
        CurrentProfile().Load(id, name);
    }
    players.Save();
    closing_ = true;
    if (GetManager())
        GetManager()->PopScreens(true, 1);
}

#include "game/front/PlayerSelectDialog.h"

#include <unistd.h>

#include "framework/ui/ListBox.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/DeleteFilesMatching.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 171;
constexpr int32_t kAddRowText = 169;
constexpr int32_t kNoPlayersText = 170;
constexpr int32_t kDeleteTitle = 164;
constexpr int32_t kDeleteQuestion = 163;
constexpr int32_t kDeleteWarning = 165;
constexpr int32_t kYesLabel = 27;
constexpr int32_t kNoLabel = 22;
constexpr int32_t kDeleteQuestionId = 1;

}  // namespace

PlayerSelectDialog::PlayerSelectDialog() : PanelScreen(199, 165) {}

void PlayerSelectDialog::Init()
{
    using P = FramePanel;
    static const int32_t kSide[] = {P::kLongPiece, P::kLongPiece, 0};
    static const int32_t kTop[] = {P::kShortPiece, P::kLongPiece, P::kMediumPiece, P::kShortPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kShortPiece, P::kShortPiece, P::kMediumPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kSide, kSide, kTop, kBottom);
    SetTitle(kTitleText);

    list_ = new ListBox(kList, 280, 23, 6, 1);
    list_->SetHighlightColour(kHighlightColour);
    list_->SetHighlightOutline(kHighlightOutline);
    list_->SetFrame(0x304838, 0x90B8A8, 0x102860);
    list_->SetFont(kListFontImage, kListFontMetrics, 5, 17, 64);
    AddWidget(list_, 50, 70);
    list_->CreateArrows(293, 294);
    FillList(false);

    const struct {
        int32_t command, label, x;
    } buttons[] = {{kDelete, 167, 45}, {kOk, 168, 155}, {kClose, 166, 265}};
    for (const auto& b : buttons) {
        auto* button = new TextButton(b.command, 102);
        button->SetLabel(b.label);
        AddWidget(button, b.x, 240);
    }
}

void PlayerSelectDialog::FillList(bool selectLast)
{
    const PlayerList& players = ThePlayerList();
    list_->Clear();
    list_->AddItemId(kAddRowText, kAddRowData);
    for (int i = 0; i < players.Count(); ++i)
        list_->AddItemText(players.At(i).name, players.At(i).id);
    list_->Select(selectLast ? list_->GetItemCount() - 1 : players.IndexOfCurrent() + 1);
    lastRow_ = list_->GetSelection();
}

void PlayerSelectDialog::ShowNoPlayers() { ShowTimedText(48, 228, kNoPlayersText, 2); }

void PlayerSelectDialog::Close()
{
    if (closing_ || !GetManager())
        return;
    closing_ = true;
    GetManager()->PopScreens(true, 1);
}

bool PlayerSelectDialog::OnCommand(int32_t commandId)
{
    PlayerList& players = ThePlayerList();
    switch (commandId) {
    case kOk: {
        if (players.Count() == 0) {
            ShowNoPlayers();
            return true;
        }
        const int32_t row = list_->GetSelection();
        if (row < 1 || closing_)
            return true;
        const int32_t id = list_->GetItemData(row);
        players.SetCurrentId(id);
        // The record in memory may hold what its last save could not write: the chosen player's
        // is kept, and the one being left is tried once more before another takes its place.
        PlayerProfile& profile = CurrentProfile();
        if (id != profile.id) {
            profile.Save();
            profile.Load(id, list_->GetItemText(row));
        }
        players.Save();
        Close();
        return true;
    }
    case kClose:
        if (players.Count() == 0)
            ShowNoPlayers();
        else
            Close();
        return true;
    case kDelete: {
        const int32_t row = list_->GetSelection();
        if (row < 1 || !GetManager())
            return true;
        auto* question = new MessageDialog(212, 180, this, MessageDialog::kMedium, kDeleteQuestionId, kYesLabel, kNoLabel, true);
        GetManager()->PushScreen(question, true, false, true);
        question->SetTitle(kDeleteTitle);
        String text;
        text.FormatResString(kDeleteQuestion, list_->GetItemText(row).CStr());
        question->AddTextLine(text, FramePanel::kWrapContent, 0, 77);
        question->AddLine(kDeleteWarning, FramePanel::kWrapContent, 0, 107);
        return true;
    }
    case kList: {
        const int32_t row = list_->GetSelection();
        if (row >= 1) {
            lastRow_ = row;
            return true;
        }
        list_->Select(lastRow_);
        if (GetManager())
            GetManager()->PushScreen(new NewPlayerDialog(false), true, false, true);
        return true;
    }
    default:
        return false;
    }
}

bool PlayerSelectDialog::OnAccept(int32_t dialogId)
{
    if (dialogId == kDeleteQuestionId)
        OnDelete();
    return true;
}

void PlayerSelectDialog::OnDelete()
{
    const int32_t row = list_->GetSelection();
    if (row < 1)
        return;
    PlayerList& players = ThePlayerList();
    const int32_t id = list_->GetItemData(row);
    unlink(PlayerProfile::MakeProfileFileName(id).CStr());
    String folder;
    const String mask = PlayerProfile::MakeSaveMaskName(id, &folder);
    DeleteFilesMatching(mask, folder);
    DeleteFilesMatching(PlayerProfile::MakeKeptCopyMaskName(id), folder);
    players.Remove(id);
    list_->RemoveItem(row);
    if (id == players.CurrentId()) {
        // The profile in memory follows the list, so the deleted player's file is never written
        // back at exit.
        const int32_t current = players.SelectIndex(0);
        if (current != -1)
            CurrentProfile().Load(current, players.NameOf(current));
        else
            CurrentProfile() = PlayerProfile();
    }
    players.Save();
    lastRow_ = list_->GetSelection();
}

void PlayerSelectDialog::OnActiveChanged()
{
    PlayerList& players = ThePlayerList();
    if (IsActive() && players.IsChanged() && list_) {
        players.SetChanged(false);
        FillList(true);
    }
    // Back from the new-player box or the delete question, whose saves may have failed.
    if (IsActive())
        UnsavedNotice::Tell(GetManager());
}

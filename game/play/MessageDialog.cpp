#include "game/play/MessageDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/play/DialogListener.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"

MessageDialog::MessageDialog(DialogListener* listener, int32_t type, int32_t dialogId, int32_t acceptLabelId,
                             int32_t declineLabelId, bool fixedSkin, int32_t acceptWidth, int32_t declineWidth)
    : PanelScreen(kDefaultX, kDefaultY),
      listener_(listener),
      type_(type >= kShort && type <= kTall ? type : kShort),
      dialogId_(dialogId),
      acceptLabelId_(acceptLabelId),
      declineLabelId_(declineLabelId),
      fixedSkin_(fixedSkin),
      acceptWidth_(acceptWidth),
      declineWidth_(declineWidth)
{
}

MessageDialog::MessageDialog(int32_t x, int32_t y, DialogListener* listener, int32_t type, int32_t dialogId,
                             int32_t acceptLabelId, int32_t declineLabelId, bool fixedSkin)
    : PanelScreen(x, y),
      listener_(listener),
      type_(type >= kShort && type <= kTall ? type : kShort),
      dialogId_(dialogId),
      acceptLabelId_(acceptLabelId),
      declineLabelId_(declineLabelId),
      fixedSkin_(fixedSkin),
      acceptWidth_(0),
      declineWidth_(0)
{
}

void MessageDialog::Init()
{
    using P = FramePanel;
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    static const int32_t kTop[] = {P::kMediumPiece, P::kMediumPiece, P::kLongPiece, 0};
    static const int32_t kBottom[] = {P::kLongPiece, P::kMediumPiece, P::kMediumPiece, 0};
    static const int32_t kShortSide[] = {P::kShortPiece, 0};
    static const int32_t kMediumSide[] = {P::kMediumPiece, 0};
    static const int32_t kTallSide[] = {P::kMediumPiece, P::kMediumPiece, 0};
    const int32_t* side = type_ == kTall ? kTallSide : type_ == kMedium ? kMediumSide : kShortSide;
    SetEdgePieces(side, side, kTop, kBottom);
    const int32_t rowY = type_ == kTall ? 200 : type_ == kMedium ? 142 : 116;

    TextButton* accept;
    TextButton* decline;
    int32_t acceptX = 105;
    int32_t declineX = 198;
    if (fixedSkin_) {
        accept = TextButton::TextButtonFixed(kAccept);
        decline = TextButton::TextButtonFixed(kDecline);
    } else {
        accept = new TextButton(kAccept, acceptWidth_);
        decline = new TextButton(kDecline, declineWidth_);
        acceptX = 190 - acceptWidth_;
    }
    accept->SetLabel(acceptLabelId_);
    decline->SetLabel(declineLabelId_);
    AddWidget(accept, acceptX, rowY);
    AddWidget(decline, declineX, rowY);
}

bool MessageDialog::OnCommand(int32_t commandId)
{
    if (commandId != kAccept && commandId != kDecline)
        return false;
    // Once the box is closing, a further press must not answer a second time.
    if (answered_)
        return true;
    bool close = true;
    if (listener_)
        close = commandId == kAccept ? listener_->OnAccept(dialogId_) : listener_->OnDecline(dialogId_);
    if (close && GetManager()) {
        answered_ = true;
        GetManager()->PopScreens(true, 1);
    }
    return true;
}

#pragma once
// The question or notice box with an accept and a decline button, answering through a listener.
// The opener pushes it, then sets its title and text.
#include <cstdint>

#include "game/play/PanelScreen.h"

class DialogListener;

class MessageDialog : public PanelScreen {
public:
    // Box heights by type: short (0), medium (1) and tall (2).
    enum Type : int32_t { kShort = 0, kMedium = 1, kTall = 2 };
    enum Command : int32_t { kDecline = 0, kAccept = 1 };

    // `listener` is not owned and must outlive the box (it is the screen below, usually).
    static constexpr int32_t kDefaultX = 206;
    static constexpr int32_t kDefaultY = 150;

    MessageDialog(DialogListener* listener, int32_t type, int32_t dialogId, int32_t acceptLabelId,
                  int32_t declineLabelId, bool fixedSkin, int32_t acceptWidth = 0, int32_t declineWidth = 0);
    // The same box at another origin.
    MessageDialog(int32_t x, int32_t y, DialogListener* listener, int32_t type, int32_t dialogId,
                  int32_t acceptLabelId, int32_t declineLabelId, bool fixedSkin);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    int32_t DialogId() const { return dialogId_; }
    int32_t Type() const { return type_; }

private:
    DialogListener* listener_;
    int32_t type_;
    int32_t dialogId_;
    int32_t acceptLabelId_;
    int32_t declineLabelId_;
    bool fixedSkin_;
    int32_t acceptWidth_;
    int32_t declineWidth_;
    bool answered_ = false;
};

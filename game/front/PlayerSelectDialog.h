#pragma once
// The player list: choose the current player, delete one with their files, or add one.
#include <cstdint>

#include "game/play/DialogListener.h"
#include "game/play/PanelScreen.h"

class ListBox;

class PlayerSelectDialog : public PanelScreen, public DialogListener {
public:
    enum Command : int32_t { kOk = 1, kClose = 2, kDelete = 3, kList = 4 };
    // The list's first row adds a player.
    static constexpr int32_t kAddRowData = 0xFFFF;
    // The rows' dark ink, and the pale gold behind the selected row that keeps it readable.
    static constexpr int32_t kListFontImage = 290;
    static constexpr int32_t kListFontMetrics = 289;
    static constexpr uint32_t kHighlightColour = 0x8CD4F0;
    // The pale bar differs from the parchment in hue only; a lacquer outline marks the row.
    static constexpr uint32_t kHighlightOutline = 0x10167E;

    PlayerSelectDialog();

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    void OnActiveChanged() override;
    // The delete question's yes.
    bool OnAccept(int32_t dialogId) override;
    void OnDelete();

    ListBox* GetList() const { return list_; }
    int32_t LastRow() const { return lastRow_; }

private:
    void FillList(bool selectLast);
    void ShowNoPlayers();
    void Close();

    ListBox* list_ = nullptr;
    int32_t lastRow_ = 0;
    bool closing_ = false;
};

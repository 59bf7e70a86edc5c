#include "game/play/PanelScreen.h"

#include "game/play/FramePanel.h"

PanelScreen::PanelScreen(int32_t x, int32_t y) : Screen(x, y) {}

void PanelScreen::OnAttach()
{
    panel_ = new FramePanel();
    AddWidget(panel_, 0, 0);
    Init();
}

void PanelScreen::SetFrameStyle(int32_t topLeft, int32_t topRight, int32_t bottomLeft, int32_t bottomRight)
{
    if (panel_)
        panel_->SetFrameStyle(topLeft, topRight, bottomLeft, bottomRight);
}

void PanelScreen::SetEdgePieces(const int32_t* left, const int32_t* right, const int32_t* top, const int32_t* bottom)
{
    if (panel_)
        panel_->SetEdgePieces(left, right, top, bottom);
}

void PanelScreen::SetTitle(int32_t textId)
{
    if (panel_)
        panel_->SetTitle(textId);
}

void PanelScreen::ClearLines()
{
    if (panel_)
        panel_->ClearLines();
}

void PanelScreen::AddLine(int32_t textId, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag,
                          const int32_t* tabStops, int tabStopCount)
{
    AddTextLine(String(textId), mode, x, y, fontFlag, tabStops, tabStopCount);
}

void PanelScreen::AddTextLine(const String& text, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag,
                              const int32_t* tabStops, int tabStopCount)
{
    if (panel_)
        panel_->AddLine(text, mode, x, y, fontFlag, tabStops, tabStopCount);
}

void PanelScreen::ShowTimedText(int32_t x, int32_t y, int32_t textId, int32_t seconds)
{
    if (panel_)
        panel_->ShowTimedText(x, y, String(textId), seconds);
}

int32_t PanelScreen::TextWidth(const char* text) const { return panel_ ? panel_->TextWidth(text) : 0; }

void PanelScreen::GetPanelSize(int32_t& width, int32_t& height)
{
    width = height = 0;
    if (panel_)
        panel_->GetSize(width, height);
}

void PanelScreen::SetClickCommand(int32_t commandId)
{
    if (panel_)
        panel_->SetClickCommand(commandId);
}

void PanelScreen::SetPanelActive(bool active)
{
    if (panel_)
        panel_->SetActive(active);
}

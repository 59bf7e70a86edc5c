#pragma once
// A dialog or menu box: a screen that holds one framed panel under the widgets the dialog adds.
// The panel exists from the moment the screen is pushed; callers that set a title or lines from
// outside do so after pushing it.
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Screen.h"

class FramePanel;

class PanelScreen : public Screen {
public:
    PanelScreen(int32_t x, int32_t y);

    // Each dialog builds its frame and children here.
    virtual void Init() = 0;

    void SetFrameStyle(int32_t topLeft, int32_t topRight, int32_t bottomLeft, int32_t bottomRight);
    void SetEdgePieces(const int32_t* left, const int32_t* right, const int32_t* top, const int32_t* bottom);
    void SetTitle(int32_t textId);
    void ClearLines();
    void AddLine(int32_t textId, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag = 0,
                 const int32_t* tabStops = nullptr, int tabStopCount = 0);
    void AddTextLine(const String& text, int32_t mode, int32_t x, int32_t y, uint8_t fontFlag = 0,
                     const int32_t* tabStops = nullptr, int tabStopCount = 0);
    void ShowTimedText(int32_t x, int32_t y, int32_t textId, int32_t seconds);
    int32_t TextWidth(const char* text) const;
    void GetPanelSize(int32_t& width, int32_t& height);
    void SetClickCommand(int32_t commandId);
    void SetPanelActive(bool active);

    // Null until the screen is attached.
    FramePanel* GetPanel() const { return panel_; }

protected:
    void OnAttach() override;

private:
    FramePanel* panel_ = nullptr;
};

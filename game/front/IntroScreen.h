#pragma once
// The campaign's timeline over the campaign map, with a way back to the map and one to the main
// menu.
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Screen.h"

class Button;
class TimelinePanel;

class IntroScreen : public Screen {
public:
    static constexpr int32_t kMainMenuCommand = 371;
    static constexpr int32_t kBackCommand = 372;
    static constexpr int32_t kOpeningSound = 373;

    // The timeline's title greets `playerName`.
    explicit IntroScreen(const String& playerName);

    bool OnCommand(int32_t commandId) override;

    TimelinePanel* GetPanel() const { return panel_; }
    Button* GetBackButton() const { return back_; }
    Button* GetMainMenuButton() const { return mainMenu_; }

protected:
    void OnAttach() override;

private:
    String playerName_;
    TimelinePanel* panel_ = nullptr;
    Button* back_ = nullptr;
    Button* mainMenu_ = nullptr;
};

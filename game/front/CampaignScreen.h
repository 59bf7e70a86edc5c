#pragma once
// The story mode's hub, laid over the story play screen: the campaign map, the buttons to leave,
// to play the chosen level and (once all levels are done) to see the timeline, and the wipe that
// slides between the map and the play field. It holds every level's deal and result caption.
#include <cstdint>

#include "framework/ui/Screen.h"
#include "game/front/CampaignMapHost.h"
#include "game/front/StoryLevelTable.h"
#include "game/play/DialogListener.h"

class Button;
class CampaignMap;
class PlayScreen;
class SlidePanel;

class CampaignScreen : public Screen, public DialogListener, public CampaignMapHost {
public:
    static constexpr int32_t kLeaveCommand = 228;
    static constexpr int32_t kPlayCommand = 230;
    static constexpr int32_t kTimelineCommand = 364;
    static constexpr int32_t kSlideSound = 340;
    static constexpr int32_t kResumeQuestion = 1;

    // `play` is the story play screen below (not owned); it outlives this screen.
    explicit CampaignScreen(PlayScreen* play);

    bool OnCommand(int32_t commandId) override;
    void OnTransitionDone() override;
    // Stops the samples of the map and the slide; the music plays on.
    void OnClose() override;

    // Slides the map in over the play field after a won level; `advanced` when that level was the
    // frontier, so the map then plays the advance to the next one.
    void Enter(bool advanced);
    // The chosen level, after asking whether to resume when a saved game of it waits.
    void StartSelectedLevel() override;
    // Sets the level up on the play screen and slides the map away.
    void ShowLevel(bool resume);
    void OnSlideDone();
    void OnCampaignComplete() override;
    // The resume question's answers.
    bool OnAccept(int32_t dialogId) override;
    bool OnDecline(int32_t dialogId) override;

    // The map and the three buttons are enabled and disabled together.
    void SetControlsEnabled(bool enabled);

    // The level a start would play now: the selected one, or the one the advance moves to.
    int32_t LevelToStart() const;
    const StoryLevelTable& Levels() const { return levels_; }
    CampaignMap* GetMap() const { return map_; }
    SlidePanel* GetSlidePanel() const { return slide_; }
    Button* GetLeaveButton() const { return leave_; }
    Button* GetPlayButton() const { return play_; }
    Button* GetTimelineButton() const { return timeline_; }
    bool IsEntering() const { return entering_; }
    bool IsAdvanced() const { return advanced_; }
    bool CameBack() const { return cameBack_; }

protected:
    void OnAttach() override;

private:
    Button* AddCaptionButton(int32_t id, int32_t captionId, int32_t right, int32_t baseline,
                             int32_t x, int32_t y);
    void PushIntro();
    void Leave();

    PlayScreen* playScreen_;
    CampaignMap* map_ = nullptr;
    SlidePanel* slide_ = nullptr;
    Button* leave_ = nullptr;
    Button* play_ = nullptr;
    Button* timeline_ = nullptr;
    StoryLevelTable levels_;
    bool entering_ = false;
    bool advanced_ = false;
    bool cameBack_ = false;
};

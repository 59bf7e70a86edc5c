#pragma once
// A paged help box: a title and text lines on the frame, a picture whose drawing each page
// chooses, a close button and previous and next buttons. The three help boxes of the game differ
// only in their pages, their frame and where their parts sit.
#include <cstdint>
#include <vector>

#include "game/play/PanelScreen.h"

class Button;
class TextButton;
class Widget;

struct HelpLine {
    int32_t textId;
    int32_t mode;
    int32_t x;
    int32_t y;
};

struct HelpPage {
    int32_t titleId;
    std::vector<HelpLine> lines;
    int32_t pictureMode;
};

struct HelpPoint {
    int32_t x;
    int32_t y;
};

// Where a help box's parts go and what its frame is made of; edge lists end with 0.
struct HelpSetup {
    std::vector<int32_t> left;
    std::vector<int32_t> right;
    std::vector<int32_t> top;
    std::vector<int32_t> bottom;
    int32_t closeLabelId;
    HelpPoint close;
    HelpPoint previous;
    HelpPoint next;
    HelpPoint picture;
};

class HelpDialog : public PanelScreen {
public:
    static constexpr int32_t kCloseCommand = 1;
    static constexpr int32_t kPreviousCommand = 354;
    static constexpr int32_t kNextCommand = 355;

    HelpDialog(int32_t x, int32_t y, const HelpSetup& setup, std::vector<HelpPage> pages);

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    void ShowPage(int page);

    int GetPage() const { return page_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    Button* GetPreviousButton() const { return previous_; }
    Button* GetNextButton() const { return next_; }
    TextButton* GetCloseButton() const { return close_; }

protected:
    // The picture widget, made once while the box is built.
    virtual Widget* CreatePicture() = 0;
    virtual void SetPictureMode(int32_t mode) = 0;

private:
    HelpSetup setup_;
    std::vector<HelpPage> pages_;
    int page_ = 0;
    Button* previous_ = nullptr;
    Button* next_ = nullptr;
    TextButton* close_ = nullptr;
};

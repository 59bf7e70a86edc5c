// The three paged help boxes: paging, their buttons, the lines and picture of each page.
#include "game/front/HelpDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/core/PackFile.h"
#include "framework/ui/Button.h"
#include "game/front/HelpIllustration.h"
#include "game/front/HelpIllustration2.h"
#include "game/front/LayoutsHelpDialog.h"
#include "game/front/BackgroundSelectScreen.h"
#include "game/front/InfoDialog.h"
#include "game/front/LayoutCompleteDialog.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/LeaveQuestion.h"
#include "game/front/LevelCompleteDialog.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/OptionsDialog.h"
#include "game/front/PlayerSelectDialog.h"
#include "game/front/TileSetDialog.h"
#include "game/front/MainHelpDialog.h"
#include "game/front/StoryHelpDialog.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "game/play/NoMovesDialog.h"
#include "game/play/TextButton.h"
#include "game/play/TutorialPopup.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class HelpDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int id = 67; id <= 103; ++id) f.Text(id, "t" + std::to_string(id));
        f.Fonts({284, 286, 290, 307, 160});
        f.Picture(297, 320, 42);
        f.Picture(354, 160, 40);
        f.Picture(355, 160, 40);
        below = f.ui.NewScreen("menu");
        f.ui.manager.PushScreen(below, false, false, false);
    }

    template <typename Dialog>
    Dialog* Open() {
        auto* dialog = new Dialog();
        f.ui.manager.PushScreen(dialog, true, false, true);
        f.ui.Frames(30);  // faded in: what draws at alpha 0 cannot be hit
        return dialog;
    }

    // The lines of the frame as "text mode x y".
    static std::vector<std::string> Lines(HelpDialog* dialog) {
        std::vector<std::string> lines;
        FramePanel* panel = dialog->GetPanel();
        for (int i = 0; i < panel->LineCount(); ++i) {
            const FramePanelLine& line = panel->Line(i);
            lines.push_back(std::string(line.text.CStr()) + " " + std::to_string(line.mode) + " " +
                            std::to_string(line.x) + " " + std::to_string(line.y));
        }
        return lines;
    }

    FrontHarness f;
    ProbeScreen* below = nullptr;
};

}  // namespace

TEST_F(HelpDialogTest, PagingStopsAtBothEndsAndTheButtonsFollow) {
    auto* dialog = Open<LayoutsHelpDialog>();
    EXPECT_EQ(dialog->PageCount(), 5);
    EXPECT_EQ(dialog->GetPage(), 0);
    EXPECT_FALSE(dialog->GetPreviousButton()->IsEnabled());
    EXPECT_TRUE(dialog->GetNextButton()->IsEnabled());
    EXPECT_TRUE(dialog->OnCommand(HelpDialog::kPreviousCommand));
    EXPECT_EQ(dialog->GetPage(), 0);

    for (int i = 0; i < 6; ++i) EXPECT_TRUE(dialog->OnCommand(HelpDialog::kNextCommand));
    EXPECT_EQ(dialog->GetPage(), 4);
    EXPECT_TRUE(dialog->GetPreviousButton()->IsEnabled());
    EXPECT_FALSE(dialog->GetNextButton()->IsEnabled());
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"t74 1 50 85"}));
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 0);

    dialog->SendCommand(HelpDialog::kPreviousCommand);
    EXPECT_EQ(dialog->GetPage(), 3);
    EXPECT_TRUE(dialog->GetNextButton()->IsEnabled());
    EXPECT_FALSE(dialog->OnCommand(999));
}

TEST_F(HelpDialogTest, TheArrowButtonsTurnThePages) {
    auto* dialog = Open<MainHelpDialog>();
    int32_t x = 0, y = 0;
    dialog->GetNextButton()->GetAbsolutePosition(x, y);
    EXPECT_EQ(x, 163 + 380);
    EXPECT_EQ(y, 120 + 305);
    f.ui.window.cursorX = x + 5;
    f.ui.window.cursorY = y + 5;
    f.ui.manager.OnMouseMove(0, x + 5, y + 5);
    f.ui.manager.OnLButtonDown(kKeyLButton, x + 5, y + 5);
    f.ui.manager.OnLButtonUp(0, x + 5, y + 5);
    EXPECT_EQ(dialog->GetPage(), 1);
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 2);
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"t95 0 40 80"}));
}

TEST_F(HelpDialogTest, CloseFadesTheBoxOut) {
    auto* dialog = Open<MainHelpDialog>();
    EXPECT_EQ(dialog->GetCloseButton()->GetCommandId(), HelpDialog::kCloseCommand);
    EXPECT_TRUE(dialog->GetCloseButton()->IsFixedSkin());
    EXPECT_EQ(dialog->GetCloseButton()->GetCaption(), "t97");
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"t98 0 40 80"}));
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 1);
    EXPECT_TRUE(dialog->OnCommand(HelpDialog::kCloseCommand));
    EXPECT_TRUE(below->IsActive());
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), below);
    EXPECT_EQ(f.ui.manager.GetScreens().size(), 1u);
}

TEST_F(HelpDialogTest, StoryPagesCarrySeveralLinesAndTheSpecialTilePictures) {
    auto* dialog = Open<StoryHelpDialog>();
    EXPECT_EQ(dialog->PageCount(), 6);
    EXPECT_EQ(Lines(dialog), (std::vector<std::string>{"t84 1 160 95", "t85 1 50 210"}));
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 3);
    dialog->ShowPage(3);
    EXPECT_EQ(Lines(dialog),
              (std::vector<std::string>{"t77 1 50 85", "t78 1 155 135", "t79 1 155 240"}));
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 6);
    dialog->ShowPage(4);
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 7);
    EXPECT_EQ(Lines(dialog).back(), "t82 1 55 310");
    dialog->ShowPage(40);
    EXPECT_EQ(dialog->GetPage(), 5);
    EXPECT_EQ(dialog->GetPicture()->GetMode(), 0);
    int32_t x = 0, y = 0;
    dialog->GetPicture()->GetPosition(x, y);
    EXPECT_EQ(x, 97);
    EXPECT_EQ(y, 155);
}

// Every box drawn with the packed texts and fonts: no glyph of a title or a line comes within
// 8 px of the inner edge of the frame's art on any side.
TEST(FrameTextMarginTest, PackedTextsKeepClearOfTheirFrames) {
    PackFile pack;
    ASSERT_TRUE(pack.Open(QM_BINARY_DIR "/resource.pak"));
    SetAssetModule(&pack);
    UiHarness ui;
    std::map<int32_t, std::unique_ptr<BitmapFont>> fonts;
    const std::pair<int32_t, int32_t> kFonts[] = {
        {152, 151}, {154, 155}, {160, 159}, {163, 162}, {165, 164}, {199, 200}, {201, 198}, {203, 202},
        {208, 207}, {210, 211}, {213, 212}, {217, 216}, {258, 259}, {284, 283}, {286, 285}, {290, 289},
        {296, 295}, {302, 303}, {307, 306}, {311, 308}, {366, 365}, {374, 373}};
    for (auto [image, metrics] : kFonts) {
        auto font = std::make_unique<BitmapFont>();
        ASSERT_TRUE(font->Load(image, metrics, &pack));
        ui.display.fonts[image] = font.get();
        ui.display.AddImage(image, 4096, 512);
        fonts[image] = std::move(font);
    }
    for (int32_t id : {FramePanel::kLargeCornersImage, FramePanel::kSmallCornersImage, FramePanel::kOrnamentsImage,
                       FramePanel::kHorizontalEdgesImage, FramePanel::kVerticalEdgesImage,
                       FramePanel::kBackgroundImage})
        ui.display.AddImage(id, 256, 256);
    ui.manager.PushScreen(ui.NewScreen("below"), false, false, false);

    auto check = [&](const std::string& box) {
        SCOPED_TRACE(box);
        ui.Frames(30);
        const auto& frame = ui.display.LastFrame();
        int32_t left = INT32_MAX, right = INT32_MIN, top = INT32_MAX, bottom = INT32_MIN;
        for (const auto& edge : ui.display.ImagesIn(frame, FramePanel::kVerticalEdgesImage)) {
            left = std::min(left, edge.rect.right);
            right = std::max(right, edge.rect.left);
        }
        for (const auto& edge : ui.display.ImagesIn(frame, FramePanel::kHorizontalEdgesImage)) {
            top = std::min(top, edge.rect.bottom);
            bottom = std::max(bottom, edge.rect.top);
        }
        ASSERT_LT(left, right);
        int glyphs = 0;
        for (auto [font, metrics] : kFonts) {
            for (const auto& glyph : ui.display.ImagesIn(frame, font)) {
                ++glyphs;
                EXPECT_GE(glyph.rect.left, left + 8) << "font " << font << " at x " << glyph.rect.left;
                EXPECT_LE(glyph.rect.right + 8, right) << "font " << font << " at x " << glyph.rect.right;
                EXPECT_GE(glyph.rect.top, top + 8) << "font " << font << " at y " << glyph.rect.top;
                EXPECT_LE(glyph.rect.bottom + 8, bottom) << "font " << font << " at y " << glyph.rect.bottom;
            }
        }
        EXPECT_GT(glyphs, 0);
    };

    LeaveQuestion::ReplaceMenu(&ui.manager, nullptr, 1);
    check("leave game");
    auto* resume = new MessageDialog(nullptr, MessageDialog::kTall, 1, 140, 141, false, 120, 120);
    ui.manager.ReplaceTopScreen(resume, false, true);
    resume->SetTitle(142);
    resume->AddLine(139, FramePanel::kWrapContent, 0, 90);
    check("saved game");
    auto* help = new MainHelpDialog();
    ui.manager.ReplaceTopScreen(help, false, true);
    check("help page 1");
    help->OnCommand(HelpDialog::kNextCommand);
    check("help page 2");
    for (int step = 0; step < TutorialPopup::kSteps; ++step) {
        ui.manager.PopScreens(false, 1);
        TutorialPopup::Open(&ui.manager, step, nullptr, nullptr);
        check("tip " + std::to_string(step));
    }
    auto box = [&](Screen* screen, const std::string& name) {
        ui.manager.ReplaceTopScreen(screen, false, true);
        check(name);
    };
    box(new PlayerSelectDialog(), "player list");
    box(new NewPlayerDialog(false), "new player");
    box(new OptionsDialog(true), "options");
    box(new InfoDialog(), "information");
    box(new LeaveNoticeDialog(), "leave notice");
    box(new TileSetDialog(false), "tile sets");
    box(new BackgroundSelectScreen(), "backgrounds");
    for (HelpDialog* help : std::initializer_list<HelpDialog*>{new MainHelpDialog(), new LayoutsHelpDialog(),
                                                                new StoryHelpDialog()}) {
        box(help, "help");
        for (int page = 0; page < help->PageCount(); ++page) {
            help->ShowPage(page);
            check("help page " + std::to_string(page));
        }
    }
    box(new NoMovesDialog(), "no moves");
    box(new LayoutCompleteDialog(312, 298, false, 4120, 5030, true), "layout complete");
    box(new LevelCompleteDialog(300, 5000, "The Jade Gate"), "level complete");
    ui.manager.ClearScreens(false);
    SetAssetModule(nullptr);
}

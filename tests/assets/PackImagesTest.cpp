// Every picture as packed: present under one of the picture types, decodable by the game's
// loader, at the exact size its drawing code assumes, and the keyed ones 24-bit and lossless.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/AppGlobals.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/Image.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/BackgroundSelectScreen.h"
#include "game/front/CampaignMap.h"
#include "game/front/CampaignScreen.h"
#include "game/front/GameFlow.h"
#include "game/front/HelpIllustration2.h"
#include "game/front/InfoDialog.h"
#include "game/front/IntroScreen.h"
#include "game/front/LayoutSelectScreen.h"
#include "game/front/LayoutSlot.h"
#include "game/front/LayoutsHelpDialog.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/LeaveQuestion.h"
#include "game/front/MainHelpDialog.h"
#include "game/front/MainMenuScreen.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/OptionsDialog.h"
#include "game/front/PlayerSelectDialog.h"
#include "game/front/StoryHelpDialog.h"
#include "game/front/TileSetDialog.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"
#include "game/model/Tile.h"
#include "game/model/TileKind.h"
#include "game/model/TileLayout.h"
#include "game/play/Board.h"
#include "game/play/FramePanel.h"
#include "game/play/Hud.h"
#include "game/play/PlayFlow.h"
#include "game/play/PlayScreen.h"
#include "game/play/TutorialPopup.h"
#include "tests/assets/BuiltPack.h"
#include "tests/assets/TextProbeDisplay.h"
#include "tests/framework/ui/FakeClock.h"
#include "tests/framework/ui/FakeUiHost.h"
#include "tests/framework/ui/RecordingSound.h"
#include "tests/framework/ui/ScriptedWindow.h"
#include "tests/game/model/ScratchPlayerFolder.h"
#include "tests/game/play/BoardFixture.h"

namespace {

const uint32_t kPictureIds[] = {
    101, 102, 109, 125, 126, 127, 128, 131, 132, 134, 135, 136, 142, 144, 145, 146, 148, 149,
    150, 177, 178, 179, 182, 184, 186, 187, 188, 190, 193, 194, 195, 196, 197, 206, 209, 214,
    215, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234,
    235, 236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 252, 253, 254,
    255, 256, 257, 260, 261, 262, 263, 264, 265, 266, 268, 269, 270, 271, 272, 273, 274, 275,
    276, 277, 278, 279, 280, 282, 287, 288, 291, 292, 293, 294, 297, 298, 299, 300, 301, 309,
    310, 312, 313, 314, 315, 316, 317, 318, 319, 320, 321, 322, 334, 354, 355, 356, 357, 358,
    359, 361, 363, 364, 367, 368, 369, 370, 371, 372,
    // glyph sheets
    152, 154, 160, 163, 165, 199, 201, 203, 208, 210, 213, 217, 258, 284, 286, 290, 296, 302,
    307, 311, 366, 374,
};

struct Size {
  uint32_t id;
  int32_t width;
  int32_t height;
};

// Sizes the drawing code cuts or places by exact pixel positions.
const Size kExactSizes[] = {
    // tile face sheets: 6 x 7 cells of 38 x 48
    {101, 228, 336}, {215, 228, 336}, {313, 228, 336}, {315, 228, 336}, {317, 228, 336}, {319, 228, 336},
    // selected-face highlights: 6 x 7 cells of 40 x 50
    {178, 240, 350}, {214, 240, 350}, {312, 240, 350}, {314, 240, 350}, {316, 240, 350}, {318, 240, 350},
    {102, 384, 58},  // 8 tile bases of 48 x 58
    {186, 54, 84},   // miniature faces, 6 x 7 cells of 9 x 12
    // blink overlays and the transform: frames of 40 x 50
    {177, 280, 50}, {184, 280, 50}, {206, 280, 50}, {182, 320, 50}, {179, 720, 50},
    // play-field backgrounds under the HUD, and their thumbnail sheet of 186 x 107 cells
    {218, 800, 460}, {219, 800, 460}, {220, 800, 460}, {221, 800, 460}, {222, 800, 460},
    {223, 800, 460}, {224, 800, 460}, {225, 800, 460}, {226, 800, 460}, {227, 800, 460},
    {231, 800, 460}, {232, 800, 460}, {233, 800, 460}, {234, 800, 460}, {256, 800, 460},
    {334, 558, 535},
    // the campaign's welcome band, drawn four times its size under the welcome text
    {257, 179, 145},
    // full screens
    {109, 800, 600}, {190, 800, 600}, {229, 800, 600}, {361, 800, 600},
    // HUD bars, corners, strips and sides
    {126, 800, 80}, {275, 800, 80}, {127, 800, 60}, {261, 800, 60},
    {260, 54, 54}, {270, 54, 54}, {271, 54, 54}, {274, 54, 54},
    {262, 692, 14}, {263, 692, 14}, {272, 16, 352}, {273, 16, 352},
    // free-play slots and the background thumbnail frame
    {188, 203, 153}, {195, 203, 153}, {322, 196, 118},
    // button skins
    {287, 408, 42}, {297, 320, 40}, {196, 432, 40}, {197, 432, 40}, {372, 432, 40},
    // dialog frame pieces and panel
    {276, 36, 84}, {277, 168, 168}, {278, 214, 22}, {279, 134, 88}, {282, 192, 128}, {280, 256, 256},
    // campaign regions, each its hit rectangle
    {244, 110, 82}, {240, 93, 100}, {235, 82, 112}, {238, 87, 82}, {236, 133, 98}, {242, 136, 103},
    {243, 132, 84}, {241, 127, 72}, {245, 73, 112}, {237, 85, 108}, {239, 137, 144},
};

// Horizontal strips of equal frames.
struct Strip {
  uint32_t id;
  int frames;
};

const Strip kStrips[] = {
    {291, 2}, {298, 2}, {300, 2},
    {131, 3}, {132, 3}, {134, 3}, {135, 3}, {142, 3}, {196, 3}, {197, 3}, {371, 3}, {372, 3},
    {136, 4}, {144, 4}, {145, 4}, {146, 4}, {148, 4}, {264, 4}, {265, 4}, {266, 4}, {268, 4},
    {269, 4}, {228, 4}, {230, 4}, {364, 4}, {293, 4}, {294, 4}, {354, 4}, {355, 4}, {193, 4},
    {194, 4}, {297, 4}, {287, 4},
    {367, 6}, {368, 6},
    {177, 7}, {184, 7}, {206, 7},
    {179, 18},
};

// Animated sprites: frames of a fixed width, and more than 14 of them for the wander.
struct Sprite {
  uint32_t id;
  int32_t frameWidth;
};

const Sprite kSprites[] = {{149, 34}, {150, 34}, {288, 22}};

// Pictures cut to a width or drawn into a fixed area.
const Size kAtLeast[] = {{248, 761, 24}, {253, 281, 15}, {187, 12, 15}};
const Size kAtMost[] = {{356, 290, 125}, {357, 300, 130}, {363, 664, 420}, {369, 70, 40}};

bool Load(uint32_t id, Image& image) { return image.LoadFromResource(id, BuiltPack()); }

}  // namespace

TEST(PackImages, EveryPictureDecodes) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : kPictureIds) {
    int types = 0;
    for (std::string_view type : {kBitmapType, kJpgType, kTgaType, kPngType})
      if (!BuiltPack()->Find(type, id).empty()) ++types;
    // The loader takes the first type present: a second one would never be seen.
    EXPECT_EQ(types, 1) << "picture " << id;
    Image image;
    EXPECT_TRUE(Load(id, image)) << "picture " << id;
    EXPECT_GT(image.width, 0) << "picture " << id;
    EXPECT_GT(image.height, 0) << "picture " << id;
  }
}

TEST(PackImages, FixedSizesAreExact) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const Size& size : kExactSizes) {
    Image image;
    ASSERT_TRUE(Load(size.id, image)) << "picture " << size.id;
    EXPECT_EQ(image.width, size.width) << "picture " << size.id;
    EXPECT_EQ(image.height, size.height) << "picture " << size.id;
  }
  for (const Size& size : kAtLeast) {
    Image image;
    ASSERT_TRUE(Load(size.id, image)) << "picture " << size.id;
    EXPECT_GE(image.width, size.width) << "picture " << size.id;
    EXPECT_GE(image.height, size.height) << "picture " << size.id;
  }
  for (const Size& size : kAtMost) {
    Image image;
    ASSERT_TRUE(Load(size.id, image)) << "picture " << size.id;
    EXPECT_LE(image.width, size.width) << "picture " << size.id;
    EXPECT_LE(image.height, size.height) << "picture " << size.id;
  }
}

TEST(PackImages, StripsHoldWholeFrames) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const Strip& strip : kStrips) {
    Image image;
    ASSERT_TRUE(Load(strip.id, image)) << "strip " << strip.id;
    EXPECT_EQ(image.width % strip.frames, 0) << "strip " << strip.id << " of " << strip.frames << " frames";
  }
  for (const Sprite& sprite : kSprites) {
    Image image;
    ASSERT_TRUE(Load(sprite.id, image)) << "sprite " << sprite.id;
    EXPECT_EQ(image.width % sprite.frameWidth, 0) << "sprite " << sprite.id;
    EXPECT_GE(image.width / sprite.frameWidth, 15) << "sprite " << sprite.id;
  }
}

// The software copy applies the magenta key only to 24-bit pixels, and a lossy format would
// smear the key into its neighbours.
TEST(PackImages, KeyedPicturesAre24BitLossless) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : {102u, 187u}) {
    EXPECT_TRUE(BuiltPack()->Find(kJpgType, id).empty()) << "picture " << id;
    Image image;
    ASSERT_TRUE(Load(id, image)) << "picture " << id;
    EXPECT_EQ(image.bitsPerPixel, 24) << "picture " << id;
    // Some of the picture is key: the corners of the tile bases and the miniature base.
    bool keyed = false;
    for (int32_t y = 0; y < image.height && !keyed; ++y)
      for (int32_t x = 0; x < image.width && !keyed; ++x) {
        const uint8_t* p = image.pixels + int64_t(y) * image.rowStep + x * 3;
        keyed = p[0] == 0xFF && p[1] == 0x00 && p[2] == 0xFF;
      }
    EXPECT_TRUE(keyed) << "picture " << id << " shows no magenta key";
  }
}

namespace {

// Luminance (0-255) of pixel (x, y) of a decoded picture, whatever its row order.
int32_t Luminance(const Image& image, int32_t x, int32_t y) {
  const uint8_t* p = image.pixels + y * image.rowStep + x * (image.bitsPerPixel / 8);
  return (299 * p[2] + 587 * p[1] + 114 * p[0]) / 1000;
}

}  // namespace

TEST(PackImages, BannerTextStandsOutFromTheBannerBehindIt) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  Image banner, font;
  ASSERT_TRUE(Load(301, banner));
  ASSERT_TRUE(Load(302, font));
  ASSERT_EQ(font.bitsPerPixel, 32);
  // The body lines lie in x 20..290 about the middle rows, which either row order keeps in place.
  ASSERT_GE(banner.width, 290);
  ASSERT_GE(banner.height, 100);
  int64_t sum = 0, count = 0;
  for (int32_t y = banner.height / 2 - 20; y < banner.height / 2 + 20; ++y)
    for (int32_t x = 30; x < 280; ++x, ++count) sum += Luminance(banner, x, y);
  const int32_t field = static_cast<int32_t>(sum / count);
  // The glyphs' ink is their darkest solid colour; a halo around it may be lighter.
  int32_t ink = 255;
  for (int32_t y = 0; y < font.height; ++y)
    for (int32_t x = 0; x < font.width; ++x)
      if (font.pixels[y * font.rowStep + x * 4 + 3] == 255) ink = std::min(ink, Luminance(font, x, y));
  EXPECT_GE(field - ink, 100) << "banner field " << field << ", glyph ink " << ink;
}

namespace {

struct Rgb {
  int32_t r, g, b;
};

// Relative luminance as the web's accessibility guidelines define it.
double RelativeLuminance(Rgb c) {
  auto linear = [](int32_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double ContrastRatio(Rgb a, Rgb b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most of a glyph sheet's solid pixels have: the letters' fill, not their outline.
Rgb InkOf(const Image& font) {
  std::map<uint32_t, int> counts;
  for (int32_t y = 0; y < font.height; ++y)
    for (int32_t x = 0; x < font.width; ++x)
      if (font.pixels[y * font.rowStep + x * 4 + 3] == 255) {
        const uint8_t* p = font.pixels + y * font.rowStep + x * 4;
        const Rgb c{p[2], p[1], p[0]};
        ++counts[uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | uint32_t(c.b)];
      }
  uint32_t best = 0;
  int most = 0;
  for (const auto& [colour, count] : counts)
    if (count > most) {
      best = colour;
      most = count;
    }
  return {int32_t(best >> 16), int32_t((best >> 8) & 0xFF), int32_t(best & 0xFF)};
}

}  // namespace

// The pair the board lays in the tray sits in the bottom bar's two painted recesses: every
// column of each face is darker than the bar across the screen at those rows, and the bar shows
// again just beyond the outer side of each recess, so the tiles neither overhang their slots
// nor sit beside them.
TEST(PackImages, TrayFacesLieInTheBottomBarsRecesses) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : {126u, 275u}) {
    Image bar;
    ASSERT_TRUE(Load(id, bar)) << "picture " << id;
    const Rect first = Board::TrayFace(0);
    const Rect second = Board::TrayFace(1);
    const int32_t top = first.top + PlayScreen::kBoardTop - Hud::kBottomBarTop;
    const int32_t bottom = first.bottom + PlayScreen::kBoardTop - Hud::kBottomBarTop;
    ASSERT_GE(top, 0);
    ASSERT_LE(bottom, bar.height);
    ASSERT_LE(second.right + 8, bar.width);
    // Rows are stored bottom-up; y counts from the top of the bar.
    auto shade = [&](int32_t x, int32_t y) { return Luminance(bar, x, bar.height - 1 - y); };
    // The bar's own shade at these rows: the median across the screen, row by row.
    int64_t level = 0;
    for (int32_t y = top; y < bottom; ++y) {
      std::vector<int32_t> row;
      for (int32_t x = 0; x < bar.width; ++x) row.push_back(shade(x, y));
      std::nth_element(row.begin(), row.begin() + row.size() / 2, row.end());
      level += row[row.size() / 2];
    }
    auto column = [&](int32_t x) {
      int64_t sum = 0;
      for (int32_t y = top; y < bottom; ++y) sum += shade(x, y);
      return sum;
    };
    const int64_t rows = bottom - top;
    for (const Rect& face : {first, second})
      for (int32_t x = face.left; x < face.right; ++x)
        EXPECT_LT(column(x), level - 8 * rows) << "picture " << id << ": column " << x;
    EXPECT_GE(column(first.left - 8), level - 4 * rows) << "picture " << id;
    EXPECT_GE(column(second.right + 8), level - 4 * rows) << "picture " << id;
  }
}

namespace {

// A started screen manager drawing on the game's software path with the packed pictures and
// fonts, every text left out of its frames and remembered.
struct PackedScreens {
    TextProbeDisplay display;
    FakeClock clock;
    ScriptedWindow window;
    RecordingSound sound;
    ScreenManager manager{display, clock, &sound};

    PackedScreens() { manager.Start(&window, false, 25); }
    ~PackedScreens() { manager.ClearScreens(false); }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) manager.OnFrameTimer();
    }
};

// The widgets of type T on `screen`, its children's included.
template <class T>
std::vector<T*> WidgetsOf(Screen* screen) {
    std::vector<T*> found;
    std::vector<Widget*> widgets(screen->GetWidgets());
    while (!widgets.empty()) {
        Widget* widget = widgets.back();
        widgets.pop_back();
        widgets.insert(widgets.end(), widget->GetChildren().begin(), widget->GetChildren().end());
        if (auto* typed = dynamic_cast<T*>(widget)) found.push_back(typed);
    }
    return found;
}

// Whether `mark` changes the frame over `area` by 3:1 or more all round it: somewhere in the
// outer quarter on both sides of every row and every column through its middle half.
bool MarkedAllRound(PackedScreens& screens, const Rect& area, const std::function<void()>& mark) {
    std::vector<Rgb> before, after;
    for (std::vector<Rgb>* pixels : {&before, &after}) {
        if (pixels == &after) mark();
        screens.Frames(1);
        for (int32_t y = area.top; y < area.bottom; ++y)
            for (int32_t x = area.left; x < area.right; ++x) {
                Rgb& p = pixels->emplace_back();
                screens.display.PixelAt(x, y, p.r, p.g, p.b);
            }
    }
    const int32_t width = area.Width(), height = area.Height(), w = width / 4, h = height / 4;
    auto changed = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y)
            for (int32_t x = left; x < right; ++x)
                if (ContrastRatio(before[y * width + x], after[y * width + x]) >= 3.0) return true;
        return false;
    };
    for (int32_t y = h; y < height - h; ++y)
        if (!changed(0, y, w, y + 1) || !changed(width - w, y, width, y + 1)) return false;
    for (int32_t x = w; x < width - w; ++x)
        if (!changed(x, 0, x + 1, h) || !changed(x, height - h, x + 1, height)) return false;
    return true;
}

// Clicks the first free pair of one kind; false when there is none.
bool MatchOnePair(Board* board) {
    std::vector<Tile*> free(200);
    const int count = std::min<int>(board->Layout().CollectFree(free), int(free.size()));
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j) {
            if (!SameKind(free[i]->kind, free[j]->kind)) continue;
            for (const Tile* tile : {free[i], free[j]})
                board->OnLButtonDown(0, tile->screenRect.left + board->OffsetX() + 20,
                                     tile->screenRect.top + board->OffsetY() + 20);
            return true;
        }
    return false;
}

}  // namespace

// Every glyph of every screen and box, drawn from the packed texts, fonts and pictures: its
// fill stands 4.5:1 or more from at least 90 % of what the frame shows behind the part of the
// glyph's cell that nothing drawn later hides, the text itself left out.
TEST(PackImages, EveryTextCanBeReadOverWhatIsBehindIt) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    FakeUiHost host;
    ScratchPlayerFolder players("qm_contrast");
    host.folder = players.Folder();
    const int32_t ann = ThePlayerList().Add("Annabel Whitfield");
    ThePlayerList().Add("Bo");
    ThePlayerList().SetCurrentId(ann);
    const String sharedFolder = Globals().sharedDataFolder;
    Globals().sharedDataFolder = players.Folder();
    CurrentProfile().Load(ann, ThePlayerList().NameOf(ann));

    std::map<int32_t, Rgb> inks;
    auto inkOf = [&](int32_t font) {
        auto found = inks.find(font);
        if (found != inks.end()) return found->second;
        Image sheet;
        Rgb ink{0, 0, 0};
        if (Load(font, sheet) && sheet.bitsPerPixel == 32) ink = InkOf(sheet);
        return inks[font] = ink;
    };

    PackedScreens screens;
    auto measure = [&] {
        const auto& glyphs = screens.display.Glyphs();
        EXPECT_FALSE(glyphs.empty());
        for (const TextProbeDisplay::Glyph& glyph : glyphs) {
            const Rect box{std::max(glyph.rect.left, 0), std::max(glyph.rect.top, 0),
                           std::min(glyph.rect.right, 800), std::min(glyph.rect.bottom, 600)};
            if (box.Width() <= 0 || box.Height() <= 0) continue;
            const Rgb ink = inkOf(glyph.font);
            std::vector<double> ratios;
            for (int32_t y = box.top; y < box.bottom; ++y)
                for (int32_t x = box.left; x < box.right; ++x) {
                    if (!glyph.Shows(x, y)) continue;
                    Rgb behind{};
                    screens.display.PixelAt(x, y, behind.r, behind.g, behind.b);
                    ratios.push_back(ContrastRatio(ink, behind));
                }
            if (ratios.empty()) continue;
            std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 10, ratios.end());
            EXPECT_GE(ratios[ratios.size() / 10], 4.5)
                << "font " << glyph.font << " at " << box.left << "," << box.top << "-" << box.right << ","
                << box.bottom;
        }
    };
    // Each place as it first shows, then with the pointer on each of its buttons in turn.
    auto check = [&](const std::string& place, int frames = 40) {
        SCOPED_TRACE(place);
        ScreenManager& manager = screens.manager;
        manager.MarkDirty();
        screens.Frames(frames);
        measure();
        std::vector<Button*> buttons;
        for (Button* button : WidgetsOf<Button>(manager.GetTopScreen()))
            if (button->IsShownAndEnabled() && !button->GetDrawnBounds().IsEmpty()) buttons.push_back(button);
        for (Button* button : buttons) {
            const Rect bounds = button->GetDrawnBounds();
            const int32_t x = (bounds.left + bounds.right) / 2, y = (bounds.top + bounds.bottom) / 2;
            SCOPED_TRACE("pointer on the button at " + std::to_string(x) + "," + std::to_string(y));
            screens.window.cursorX = x;
            screens.window.cursorY = y;
            manager.OnMouseMove(0, x, y);
            screens.Frames(15);
            measure();
        }
        screens.window.cursorX = screens.window.cursorY = 0;
        manager.OnMouseMove(0, 0, 0);
        screens.Frames(15);
    };

    ScreenManager& manager = screens.manager;
    manager.PushScreen(new MainMenuScreen(), false, false, false);
    check("main menu");

    auto over = [&](Screen* dialog, const std::string& place) {
        manager.PushScreen(dialog, true, true, true);
        check(place);
        manager.PopScreens(false, 1);
    };
    over(new PlayerSelectDialog(), "player list");
    over(new NewPlayerDialog(false), "new player");
    over(new OptionsDialog(true), "options");
    over(new InfoDialog(), "information");
    over(new LeaveNoticeDialog(), "leave notice");
    over(new TileSetDialog(false), "tile sets");
    over(new BackgroundSelectScreen(), "backgrounds");
    for (HelpDialog* help : std::initializer_list<HelpDialog*>{new MainHelpDialog(), new LayoutsHelpDialog(),
                                                                new StoryHelpDialog()}) {
        manager.PushScreen(help, true, true, true);
        for (int page = 0; page < help->PageCount(); ++page) {
            help->ShowPage(page);
            check("help page " + std::to_string(page));
        }
        manager.PopScreens(false, 1);
    }
    for (int step = 0; step < TutorialPopup::kSteps; ++step) {
        TutorialPopup::Open(&manager, step, nullptr, nullptr);
        check("tip " + std::to_string(step));
        manager.PopScreens(false, 1);
    }
    LeaveQuestion::ReplaceMenu(&manager, nullptr, 1);
    check("leave game");

    // A change of place fades out, swaps the screens and fades in.
    auto go = [&](Screen* screen, const std::string& place) {
        manager.BeginTransition(screen);
        check(place, 150);
    };
    go(new LayoutSelectScreen(GameFlow::NewFreePlayScreen), "layout grid");

    FreePlayChoice choice;
    choice.layoutId = PlayScreen::kFirstFreeLayoutResource;
    choice.name = "Turtle";
    auto* play = static_cast<PlayScreen*>(GameFlow::NewFreePlayScreen(choice));
    go(play, "free play");
    // Leaves the play screen on top and active again, as closing its boxes does in the game, so
    // that its board runs: a rising score is seen to rise and fade.
    auto toPlay = [&] {
        while (manager.GetTopScreen() != play && manager.GetScreens().size() > 1) manager.PopScreens(false, 1);
    };
    PlayFlow& flow = *GameFlow::Flow();
    toPlay();
    ASSERT_TRUE(MatchOnePair(play->GetBoard()));
    {
        // The score is read while it is whole: it fades out with its plate, and the buttons of
        // this screen were looked at already.
        SCOPED_TRACE("a match");
        screens.Frames(12);
        measure();
    }
    auto overPlay = [&](auto open, const std::string& place) {
        toPlay();
        open();
        check(place);
    };
    overPlay([&] { flow.OpenGameMenu(play); }, "game menu");
    overPlay([&] { flow.ShowNoMoves(play); }, "no moves");
    overPlay([&] { flow.AskQuestion(play, PlayScreen::kAskLeaveToMenu, false); }, "leave question");
    overPlay([&] { flow.ShowLayoutComplete(play, LayoutOutcome{312, 298, false, 4120, 5030, true}); },
             "layout complete");
    overPlay([&] { play->Pause(); }, "paused");

    auto* story = new PlayScreen(PlayScreen::kStory, GameFlow::Flow());
    go(story, "campaign map");
    auto* campaign = dynamic_cast<CampaignScreen*>(manager.GetTopScreen());
    ASSERT_NE(campaign, nullptr);
    campaign->GetMap()->StartAdvance(true, "Tang");
    check("dynasty banner");
    manager.PushScreen(new IntroScreen(CurrentProfile().name), true, false, true);
    check("timeline");
    manager.PopScreens(false, 1);
    campaign->ShowLevel(false);
    check("story level", 150);
    play = story;
    overPlay([&] { flow.OpenGameMenu(story); }, "story menu");
    overPlay([&] { flow.ShowLevelComplete(story, 300, 5000, "The Jade Gate"); }, "level complete");
    Globals().sharedDataFolder = sharedFolder;
    SetAssetModule(nullptr);
}

namespace {

// The ink of a frame's texts: one rectangle per run of whole glyphs of one font on one row.
std::vector<Rect> InkedRuns(const std::vector<TextProbeDisplay::Glyph>& glyphs, std::map<int32_t, Image>& sheets) {
    std::vector<Rect> runs;
    const TextProbeDisplay::Glyph* last = nullptr;
    for (const TextProbeDisplay::Glyph& glyph : glyphs) {
        Image& sheet = sheets[glyph.font];
        // A glyph partly under a box drawn later is not read there.
        if ((!sheet.pixels && !Load(glyph.font, sheet)) || std::count(glyph.open.begin(), glyph.open.end(), false))
            continue;
        Rect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        const int32_t dx = glyph.rect.left - glyph.source.left, dy = glyph.rect.top - glyph.source.top;
        for (int32_t y = glyph.source.top; y < glyph.source.bottom; ++y)
            for (int32_t x = glyph.source.left; x < glyph.source.right; ++x)
                if (sheet.pixels[(sheet.height - 1 - y) * sheet.rowStep + x * 4 + 3] > 64)
                    ink = Rect{std::min(ink.left, x + dx), std::min(ink.top, y + dy), std::max(ink.right, x + dx + 1),
                               std::max(ink.bottom, y + dy + 1)};
        if (ink.left > ink.right) continue;
        if (last && last->font == glyph.font && last->rect.top == glyph.rect.top && glyph.rect.left <= last->rect.right + 16)
            ink = Rect{std::min(runs.back().left, ink.left), std::min(runs.back().top, ink.top),
                       std::max(runs.back().right, ink.right), std::max(runs.back().bottom, ink.bottom)};
        else
            runs.emplace_back();
        runs.back() = ink;
        last = &glyph;
    }
    return runs;
}

}  // namespace

// A text keeps 8 pixels of calm ground around its ink wherever art frames it: no rule or frame
// edge runs along or across it within that reach, nor does the screen's edge. A button's caption
// and a grid slot's lines sit on the face of their own small frame and are left aside.
TEST(PackImages, EveryTextStandsClearOfFramesAndRules) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    FakeUiHost host;
    ScratchPlayerFolder players("qm_clearance");
    host.folder = players.Folder();
    ThePlayerList().SetCurrentId(ThePlayerList().Add("Annabel Whitfield"));
    CurrentProfile().Load(ThePlayerList().CurrentId(), "Annabel Whitfield");
    const String sharedFolder = Globals().sharedDataFolder;
    Globals().sharedDataFolder = players.Folder();
    PackedScreens screens;
    ScreenManager& manager = screens.manager;
    std::map<int32_t, Image> sheets;
    auto edge = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        int32_t r0, g0, b0, r1, g1, b1;
        screens.display.PixelAt(x0, y0, r0, g0, b0);
        screens.display.PixelAt(x1, y1, r1, g1, b1);
        return std::abs(r1 - r0) + std::abs(g1 - g0) + std::abs(b1 - b0) >= 48;
    };
    auto check = [&](const std::string& place, int frames = 40) {
        SCOPED_TRACE(place);
        screens.Frames(frames);
        manager.MarkDirty();
        screens.Frames(1);
        std::vector<Widget*> faces, widgets;
        for (const Screen* screen : manager.GetScreens())
            widgets.insert(widgets.end(), screen->GetWidgets().begin(), screen->GetWidgets().end());
        for (size_t i = 0; i < widgets.size(); ++i) {
            widgets.insert(widgets.end(), widgets[i]->GetChildren().begin(), widgets[i]->GetChildren().end());
            if (dynamic_cast<Button*>(widgets[i]) || dynamic_cast<LayoutSlot*>(widgets[i])) faces.push_back(widgets[i]);
        }
        for (const Rect& ink : InkedRuns(screens.display.Glyphs(), sheets)) {
            if (std::any_of(faces.begin(), faces.end(), [&](Widget* face) {
                    const Rect& f = face->GetDrawnBounds();
                    return f.left <= ink.left && ink.right <= f.right && f.top <= ink.top && ink.bottom <= f.bottom;
                }))
                continue;
            const Rect near{ink.left - 8, ink.top - 8, ink.right + 8, ink.bottom + 8};
            SCOPED_TRACE("text at " + std::to_string(ink.left) + "," + std::to_string(ink.top));
            ASSERT_TRUE(near.left >= 0 && near.top >= 0 && near.right <= 800 && near.bottom <= 600);
            for (int32_t y = near.top + 2, along = 0; y < near.bottom - 2; ++y, along = 0) {
                for (int32_t x = ink.left; x < ink.right; ++x) along += edge(x, y - 1, x, y + 1);
                EXPECT_LT(along * 10, ink.Width() * 6) << "a rule at y " << y;
            }
            for (int32_t x = near.left + 2, along = 0; x < near.right - 2; ++x, along = 0) {
                for (int32_t y = near.top; y < near.bottom; ++y) along += edge(x - 1, y, x + 1, y);
                EXPECT_LT(along * 10, near.Height() * 6) << "an edge at x " << x;
            }
        }
    };
    manager.PushScreen(new MainMenuScreen(), false, false, false);
    check("main menu");
    manager.BeginTransition(new LayoutSelectScreen(GameFlow::NewFreePlayScreen));
    check("layout grid", 150);
    auto* story = new PlayScreen(PlayScreen::kStory, GameFlow::Flow());
    manager.BeginTransition(story);
    check("campaign map", 150);
    auto* campaign = dynamic_cast<CampaignScreen*>(manager.GetTopScreen());
    ASSERT_NE(campaign, nullptr);
    campaign->GetMap()->StartAdvance(true, "Tang");
    check("dynasty banner");
    // The banner's lines stand in the middle of its scroll: calm ground above and below alike.
    std::vector<TextProbeDisplay::Glyph> glyphs = screens.display.Glyphs();
    std::erase_if(glyphs, [](const TextProbeDisplay::Glyph& glyph) { return glyph.font != 311; });
    Rect lines;
    for (const Rect& run : InkedRuns(glyphs, sheets)) lines = Rect::Union(lines, run);
    int32_t above = lines.top, below = lines.bottom, x = (lines.left + lines.right) / 2;
    while (above > 0 && !edge(x, above - 1, x, above)) --above;
    while (below < 599 && !edge(x, below, x, below + 1)) ++below;
    EXPECT_NEAR(lines.top - above, below - lines.bottom, 8) << "lines at y " << lines.top << "-" << lines.bottom;
    manager.PushScreen(new IntroScreen(CurrentProfile().name), true, false, true);
    check("timeline", 700);
    manager.PopScreensNow(1);
    GameFlow::Flow()->ShowLevelComplete(story, 300, 5000, "The Jade Gate");
    check("level complete", 120);
    Globals().sharedDataFolder = sharedFolder;
    SetAssetModule(nullptr);
}

// The main help's pictures, whatever their size, stand in the middle of the box's width.
TEST(PackImages, HelpPicturesStandInTheMiddleOfTheirBox) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    PackedScreens screens;
    auto* help = new MainHelpDialog();
    screens.manager.PushScreen(help, false, false, false);
    for (int page : {0, 1}) {
        help->ShowPage(page);
        screens.Frames(2);
        const Rect box = help->GetPanel()->GetDrawnBounds();
        for (Widget* widget : help->GetWidgets()) {
            if (!dynamic_cast<HelpIllustration2*>(widget)) continue;
            const Rect drawn = widget->GetDrawnBounds();
            EXPECT_NEAR(drawn.left + drawn.right, box.left + box.right, 8) << "page " << page;
        }
    }
    SetAssetModule(nullptr);
}

// A reached region's picture leaves the map's towns as crisp as before: nowhere within 4 pixels
// of where the picture lays more than a trace of wash or ink does the map show a town's red roof.
TEST(PackImages, RegionPicturesLeaveTheMapsTownsInSight) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    Image map, picture;
    ASSERT_TRUE(Load(229, map));
    for (int region = 0; region < kMapRegionCount; ++region) {
        const DynastyRegion& drawn = MapRegion(region);
        ASSERT_TRUE(Load(drawn.imageId, picture) && picture.bitsPerPixel == 32);
        int32_t roofs = 0;
        for (int32_t y = 0; y < picture.height; ++y)
            for (int32_t x = 0; x < picture.width; ++x)
                for (int32_t my = y - 4; my <= y + 4 && picture.pixels[(picture.height - 1 - y) * picture.rowStep + x * 4 + 3] >= 8; ++my)
                    for (int32_t mx = x - 4; mx <= x + 4; ++mx) {
                        const uint8_t* p = map.pixels + (map.height - 1 - drawn.rect.top - my) * map.rowStep +
                                           (drawn.rect.left + mx) * (map.bitsPerPixel / 8);
                        roofs += p[2] >= 110 && p[2] - p[1] >= 80;
                    }
        EXPECT_EQ(roofs, 0) << "region " << region;
    }
}

// Nothing on the timeline picture reaches its outer rows or columns, where it would be cut off.
TEST(PackImages, TheTimelineIsInkedWithinItsPicture) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    Image picture;
    ASSERT_TRUE(Load(363, picture) && picture.bitsPerPixel == 32);
    auto alpha = [&](int32_t x, int32_t y) { return picture.pixels[y * picture.rowStep + x * 4 + 3]; };
    const int32_t right = picture.width - 1, bottom = picture.height - 1;
    int32_t inked = 0;
    for (int32_t x = 0; x <= right; ++x) inked += alpha(x, 0) > 0 || alpha(x, bottom) > 0;
    for (int32_t y = 0; y <= bottom; ++y) inked += alpha(0, y) > 0 || alpha(right, y) > 0;
    EXPECT_EQ(inked, 0);
}

// Every tile the player can select, of every kind and in every tile set, is ringed by a mark
// that stands 3:1 or more from the same tile unselected, so a first click is seen to take.
TEST(PackImages, ASelectedTileIsMarkedAllRound) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    PackedScreens screens;
    RecordingHost host;
    auto* board = new Board(Board::kFreePlay, &host, &FixedTicks);
    auto* screen = new ProbeScreen(nullptr, "board");
    screen->build = [board](ProbeScreen& s) { s.AddWidget(board, 0, 0); };
    screens.manager.PushScreen(screen, false, false, false);
    // Preset kinds, as a story lays them: a 45 is then selected only with its 44, never alone.
    for (TileKind kind = 1; kind <= kKindLast; ++kind)
        board->Layout().AddTile(4 * (kind % 8), 2 * (kind / 8), 0, kind);
    board->PlaceTiles();
    board->StartLevel(false, false, false);
    screens.Frames(40);
    for (int set = 0; set < PlayerProfile::kTileSets; ++set) {
        board->BuildTileSheet(set);
        for (int i = 0; i < board->Layout().Count(); ++i) {
            const Tile* tile = board->Layout().TileAt(i);
            const TileRect& r = tile->screenRect;
            const int32_t dx = board->OffsetX(), dy = board->OffsetY();
            const Rect drawn{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
            auto click = [&] { board->OnLButtonDown(0, drawn.left + 20, drawn.top + 20); };
            const bool marked = MarkedAllRound(screens, drawn, click);
            if (board->Selected() != tile) continue;
            EXPECT_TRUE(marked) << "tile set " << set << ", kind " << tile->kind;
            click();
        }
    }
    SetAssetModule(nullptr);
}

// The chosen player's row is marked all round, 3:1 or more from the same row not chosen.
TEST(PackImages, TheChosenPlayerIsMarkedAllRound) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    ScratchPlayerFolder players("qm_chosen_row");
    ThePlayerList().Add("Bo");
    PackedScreens screens;
    screens.manager.PushScreen(new PlayerSelectDialog(), true, true, false);
    screens.Frames(5);
    ListBox& list = *WidgetsOf<ListBox>(screens.manager.GetTopScreen()).at(0);
    list.Select(1);
    int32_t x = 0, y = 0;
    list.GetAbsolutePosition(x, y);
    EXPECT_TRUE(MarkedAllRound(screens, list.RowRect(0).Offset(x, y), [&] { list.Select(0); }));
    SetAssetModule(nullptr);
}

// The options' check boxes sit level with their captions: the middle of a caption's letters
// lies within 2 pixels of the middle of its box.
TEST(PackImages, CheckBoxesSitLevelWithTheirCaptions) {
    ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
    SetAssetModule(BuiltPack());
    PackedScreens screens;
    screens.manager.PushScreen(new OptionsDialog(true), true, true, false);
    screens.Frames(5);
    for (const CheckBox* box : WidgetsOf<CheckBox>(screens.manager.GetTopScreen())) {
        Image frames, sheet;
        ASSERT_TRUE(Load(box->GetImageId(), frames));
        ASSERT_TRUE(Load(box->GetCaptionFont()->GlyphImageId(), sheet));
        int32_t x = 0, y = 0;
        box->GetAbsolutePosition(x, y);
        // The top and bottom frame rows of the box [0] and of the caption's letters [1]: the solid
        // pixels of `part` of `image` (rows stored bottom-up), its first row drawn at `top`.
        int32_t spans[2][2] = {{INT32_MAX, 0}, {INT32_MAX, 0}};
        auto solid = [&](int k, const Image& image, const Rect& part, int32_t top) {
            for (int32_t row = part.top; row < part.bottom; ++row)
                for (int32_t column = part.left; column < part.right; ++column)
                    if (image.pixels[(image.height - 1 - row) * image.rowStep + column * 4 + 3] >= 128) {
                        spans[k][0] = std::min(spans[k][0], top + row - part.top);
                        spans[k][1] = std::max(spans[k][1], top + row - part.top + 1);
                    }
        };
        // The box is the solid run down the middle of its first frame.
        const int32_t middle = box->GetFrameWidth() / 2;
        solid(0, frames, Rect{middle, 0, middle + 1, frames.height}, y);
        for (const TextProbeDisplay::Glyph& glyph : screens.display.Glyphs())
            if (glyph.rect.left > x + middle && glyph.rect.top >= y && glyph.rect.top < y + frames.height)
                solid(1, sheet, glyph.source, glyph.rect.top);
        EXPECT_NEAR(spans[1][0] + spans[1][1], spans[0][0] + spans[0][1], 4) << "box at " << x << "," << y;
    }
    SetAssetModule(nullptr);
}

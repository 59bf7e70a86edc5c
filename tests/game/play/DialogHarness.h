#pragma once
// A started screen manager with the border pictures, the dialog fonts and a few texts, for the
// tests of the game's boxes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "game/play/PanelScreen.h"
#include "tests/framework/ui/UiHarness.h"

// A box whose Init and command handler the test scripts.
class ScriptedPanel : public PanelScreen {
public:
    ScriptedPanel(int32_t x, int32_t y, std::vector<int32_t>* commands) : PanelScreen(x, y), commands_(commands) {}
    std::function<void(ScriptedPanel&)> init;
    void Init() override
    {
        if (init)
            init(*this);
    }
    bool OnCommand(int32_t commandId) override
    {
        if (commands_)
            commands_->push_back(commandId);
        return true;
    }

private:
    std::vector<int32_t>* commands_;
};

class DialogTest : public ::testing::Test {
protected:
    // Glyph rows: "a" to "z" each 10 wide; space 6. Row height 14, baseline 12 below the top.
    static constexpr char kMetrics[] =
        "H:14,12,0,6,1\n"
        "S:0x61,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10\n";
    static constexpr int32_t kFontGlyphs[] = {284, 286, 290, 307, 160};

    void SetUp() override
    {
        for (int32_t glyphs : kFontGlyphs) {
            resources.Add(kTextType, glyphs - 1, std::string_view(kMetrics));
            fonts.push_back(std::make_unique<BitmapFont>());
            ASSERT_TRUE(fonts.back()->Load(glyphs, glyphs - 1, &resources));
            h.display.AddImage(glyphs, 300, 14);
            h.display.fonts[glyphs] = fonts.back().get();
        }
        h.display.AddImage(277, 168, 168);
        h.display.AddImage(282, 192, 128);
        h.display.AddImage(279, 134, 88);
        h.display.AddImage(278, 214, 22);
        h.display.AddImage(276, 36, 84);
        h.display.AddImage(280, 256, 256);
        h.display.AddImage(288, 22 * 20, 22);
        h.display.AddImage(297, 4 * 90, 40);
        h.display.AddImage(287, 408, 42);
        SetAssetModule(&resources);
    }

    void TearDown() override { SetAssetModule(nullptr); }

    ScriptedPanel* Push(int32_t x, int32_t y, std::function<void(ScriptedPanel&)> init)
    {
        auto* panel = new ScriptedPanel(x, y, &commands);
        panel->init = std::move(init);
        h.manager.PushScreen(panel, true, false, false);
        h.Frames(1);
        return panel;
    }

    void Click(int32_t x, int32_t y)
    {
        h.window.cursorX = x;
        h.window.cursorY = y;
        h.manager.OnMouseMove(0, x, y);
        h.manager.OnLButtonDown(kKeyLButton, x, y);
        h.manager.OnLButtonUp(0, x, y);
        h.Frames(1);
    }

    // Images of `id` the last frame drew, as the rectangles they covered.
    std::vector<Rect> Drawn(int32_t id) const
    {
        std::vector<Rect> rects;
        for (const auto& draw : h.display.ImagesIn(h.display.LastFrame(), id))
            rects.push_back(draw.rect);
        return rects;
    }

    MemoryResources resources;
    std::vector<std::unique_ptr<BitmapFont>> fonts;
    UiHarness h;
    std::vector<int32_t> commands;
};

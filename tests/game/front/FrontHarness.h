#pragma once
// The UI harness with an in-memory asset module: texts by id, a small font lent under every
// font id a test names, and pictures of given sizes.
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "tests/framework/ui/UiHarness.h"

class FrontHarness {
public:
    // Every printable ASCII character 8 pixels wide in one row of 14; the space 4 wide.
    static constexpr int32_t kMetricsId = 9000;
    static constexpr int32_t kGlyphWidth = 8;
    static constexpr int32_t kSpaceWidth = 4;
    static constexpr int32_t kRowHeight = 14;

    FrontHarness() {
        std::string metrics = "H:14,12,0,4,1\nS:0x21";
        for (int c = 0x21; c <= 0x7E; ++c) metrics += ",8";
        metrics += "\n";
        assets.Add(kTextType, kMetricsId, metrics);
        SetAssetModule(&assets);
    }
    ~FrontHarness() { SetAssetModule(nullptr); }
    FrontHarness(const FrontHarness&) = delete;
    FrontHarness& operator=(const FrontHarness&) = delete;

    void Text(int32_t id, std::string_view text) { assets.AddString(id, text); }
    // A font drawn from glyph image `id` for each id given.
    void Fonts(std::initializer_list<int32_t> glyphImageIds) {
        for (int32_t id : glyphImageIds) {
            auto font = std::make_unique<BitmapFont>();
            font->Load(id, kMetricsId, &assets);
            ui.display.fonts[id] = font.get();
            fonts[id] = std::move(font);
            ui.display.AddImage(id, 8 * 94, kRowHeight);
        }
    }
    void Picture(int32_t id, int32_t width, int32_t height) { ui.display.AddImage(id, width, height); }

    std::vector<RecordingDisplay::Draw> Images(int32_t id) const {
        return ui.display.ImagesIn(ui.display.LastFrame(), id);
    }
    // The characters drawn in the last frame from font `glyphImageId`, in drawing order (spaces
    // advance without drawing, so they do not appear).
    std::string Spelled(int32_t glyphImageId) const {
        std::string text;
        for (const auto& draw : Images(glyphImageId)) {
            text += static_cast<char>(0x21 + draw.source.left / kGlyphWidth);
        }
        return text;
    }

    MemoryResources assets;
    std::map<int32_t, std::unique_ptr<BitmapFont>> fonts;  // outlives the screens that use them
    UiHarness ui;
};

#pragma once
// The game's own software drawing path, with every glyph of every text left out of the frame
// and remembered instead: the frame then shows what lies behind each text, and the glyphs say
// where the texts are and in which font. A glyph that later drawings cover whole, at once or
// piece by piece (a box over the screen, the veil over a screen below a box), is not kept: it
// could not be seen.
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "framework/gfx/DisplaySettings.h"
#include "framework/gfx/SdlDisplayDevice.h"

// Settings the device refers to, made before it.
struct TextProbeSettings {
    DisplaySettings settings;
};

class TextProbeDisplay : private TextProbeSettings, public SdlDisplayDevice {
public:
    struct Glyph {
        int32_t font;  // glyph image id
        Rect rect;     // frame rectangle it would cover
        Rect source;   // its cell in the glyph sheet, rows counted from the top
        // Its pixels that no later drawing covered, row by row over `rect`: only these show.
        std::vector<bool> open;
        bool Shows(int32_t x, int32_t y) const {
            return open[static_cast<size_t>(y - rect.top) * rect.Width() + (x - rect.left)];
        }
    };

    TextProbeDisplay();

    // The glyphs the frame being drawn (or the last one) left out.
    const std::vector<Glyph>& Glyphs() const { return glyphs_; }
    // Pixel (x, y) of the last frame as red, green and blue.
    void PixelAt(int32_t x, int32_t y, int32_t& r, int32_t& g, int32_t& b) const;

    bool BeginFrame() override;
    Image* GetImage(int32_t id, ImageModule module) override;
    BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                        ImageModule module) override;
    void DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                   int32_t scaleY, int32_t alpha, Rect& covered) override;
    void DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey, const Rect* source,
                        int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) override;
    void FillFrameRect(const Rect* rect, uint32_t colour) override;
    void BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) override;

private:
    // True (and the glyph kept) when `image` is a font's glyph sheet.
    bool LeftOut(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                 int32_t scaleY, int32_t alpha, Rect& covered);
    void Covered(const Rect& rect);

    std::map<const Image*, int32_t> ids_;
    std::set<int32_t> fontImages_;
    std::vector<Glyph> glyphs_;
};

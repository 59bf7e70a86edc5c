#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/DisplaySettings.h"
#include "framework/gfx/Image.h"

// A display that draws nothing and remembers every operation of every frame, so tests can see
// what was drawn where. Images are registered by the test; unknown ids give no image.
class RecordingDisplay : public DisplayDevice {
public:
    enum class Op { Image, KeyedImage, Fill, Blend, SaveCursor, RestoreCursor };

    struct Draw {
        explicit Draw(Op kind) : op(kind) {}
        Op op;
        int32_t x = 0;  // images: where drawn
        int32_t y = 0;
        const Image* image = nullptr;
        bool hasSource = false;
        Rect source;
        int32_t scaleX = 100;
        int32_t scaleY = 100;
        int32_t alpha = 255;
        uint32_t colour = 0;  // fills, blends; the key of keyed images
        Rect rect;            // covered rectangle (images) or filled one (whole frame for null)
    };

    Image* AddImage(int32_t id, int32_t width, int32_t height);
    int32_t IdOf(const Image* image) const;

    // What the frames drew, oldest first; `Current` is what the open frame drew so far.
    const std::vector<std::vector<Draw>>& Frames() const { return frames_; }
    const std::vector<Draw>& LastFrame() const { return frames_.back(); }
    std::vector<Draw> ImagesIn(const std::vector<Draw>& frame, int32_t id) const;
    int32_t presents = 0;
    bool vsyncWait = false;
    int32_t vsyncPresents = 0;  // presents made while waiting for the vertical blank
    int32_t setModeCalls = 0;
    std::vector<int32_t> reportedErrors;
    int32_t leaveExclusiveCalls = 0;
    int32_t closeCalls = 0;

    // Scripted state.
    bool canDraw = true;
    bool fullScreen = false;
    bool direct3D = false;
    int32_t desktopBits = 32;
    bool stretched = false;
    Rect viewport;
    std::vector<int32_t> setModeResults;  // consumed front first; 0 once empty
    bool capable3D = false;
    // When set, a mode that is set takes the accelerated path exactly when the device is capable
    // and the switch is on, as the real device decides; `modeWide` keeps the wide switch each
    // mode was set with.
    DisplaySettings* settings = nullptr;
    std::vector<bool> modeWide;
    // Every image id asked for, in order.
    std::vector<int32_t> requestedImages;

    int32_t SetMode(bool fullScreen, bool keepDesktopDepth) override;
    void ReportDirectXError(int32_t code) override { reportedErrors.push_back(code); }
    void LeaveExclusiveMode() override { ++leaveExclusiveCalls; }
    void Close() override { ++closeCalls; }
    void SetViewRect(int32_t x, int32_t y) override {}
    bool IsFullScreen() const override { return fullScreen; }
    bool IsDirect3DInUse() const override { return direct3D; }
    bool IsCapable3D() const override { return capable3D; }
    int32_t DesktopBitsPerPixel() const override { return desktopBits; }
    bool GetStretchedViewport(Rect& view) const override;
    bool BeginFrame() override;
    void EndFrame() override { open_ = false; }
    // Every limit the frames set, the whole frame for none.
    std::vector<Rect> clips;
    void ClipFrame(const Rect* area) override { clips.push_back(area ? *area : Rect{0, 0, 800, 600}); }
    int32_t Present() override {
        ++presents;
        if (vsyncWait) ++vsyncPresents;
        return 0;
    }
    bool SetVSyncWait(bool on) override {
        const bool previous = vsyncWait;
        vsyncWait = on;
        return previous;
    }
    Image* GetImage(int32_t id, ImageModule module) override;
    // Reads the file as the game would; a file that does not load gives no image.
    bool LoadImageFile(int32_t id, const char* path) override;
    void UnloadImage(int32_t id) override { images_.erase(id); }
    // When set, CreateImage makes blank 32-bit surfaces that the display keeps, as a real device
    // does; otherwise there are none.
    bool makesSurfaces = false;
    Image* CreateImage(int32_t width, int32_t height) override;
    void DestroyImage(Image* image) override {}
    // Fonts the test lends, by glyph image id; others give no font.
    std::map<int32_t, BitmapFont*> fonts;
    BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                        ImageModule module) override {
        auto it = fonts.find(glyphImageId);
        return it == fonts.end() ? nullptr : it->second;
    }
    void DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                   int32_t scaleY, int32_t alpha, Rect& covered) override;
    void DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey,
                        const Rect* source, int32_t scaleX, int32_t scaleY, int32_t alpha,
                        Rect& covered) override;
    void FillFrameRect(const Rect* rect, uint32_t colour) override;
    void BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) override;
    void SaveUnderCursor(Rect& rect) override;
    void RestoreUnderCursor() override;

private:
    void Record(const Draw& draw);
    Draw Blit(Op op, int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
              int32_t scaleY, int32_t alpha, Rect& covered);

    std::map<int32_t, std::unique_ptr<Image>> images_;
    std::vector<std::unique_ptr<Image>> surfaces_;
    std::vector<std::vector<Draw>> frames_;
    bool open_ = false;
};

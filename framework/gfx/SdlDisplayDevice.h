#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "framework/core/String.h"
#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/DisplaySettings.h"
#include "framework/gfx/FrameSize.h"
#include "framework/gfx/RenderBackend.h"

class WindowBackend;

// The display device on a render backend: the accelerated path draws textured quads into an
// 800x600 render target; the software path composites into our own 800x600 frame and shows it
// through one streaming texture. Whether the accelerated path is used is decided at every
// device creation by the renderer self-test and the "HardwareAcceleration" switch. Any failure
// releases the device; the next frame makes it anew.
class SdlDisplayDevice : public DisplayDevice {
public:
    // Makes a backend: `quads` true for the accelerated path's renderer, false for one that only
    // shows frames. Null when none can be made.
    using BackendFactory = std::function<std::unique_ptr<RenderBackend>(bool quads)>;

    struct Environment {
        String programVersion;
        String caption;  // of the error box
        int32_t desktopWidth = kFrameWidth;
        int32_t desktopHeight = kFrameHeight;
        int32_t desktopBitsPerPixel = 32;
        int32_t screenWidth = kFrameWidth;  // "-ScreenWidth"/"-ScreenHeight", else the desktop's
        int32_t screenHeight = kFrameHeight;
        bool explicitScreenSize = false;
        bool widescreenOption = false;  // "-Widescreen"
        bool desktopIsWide = false;
    };

    // `window` may be null (no window: never inactive, mode switches only recorded).
    // `onFullRedraw` is told whenever the whole screen must be drawn again.
    SdlDisplayDevice(BackendFactory factory, DisplaySettings& settings, Environment environment,
                     WindowBackend* window, std::function<void()> onFullRedraw);
    ~SdlDisplayDevice() override;

    // The factory for the main window of an SDL window backend.
    static BackendFactory SdlFactory(WindowBackend& window, bool vsync);

    // SetMode's answer when the window refuses the mode.
    static constexpr uint32_t kModeRefused = 0xF000FFFA;

    int32_t SetMode(bool fullScreen, bool keepDesktopDepth) override;
    void ReportDirectXError(int32_t code) override;
    void LeaveExclusiveMode() override {}
    void Close() override;
    void SetViewRect(int32_t x, int32_t y) override;
    bool IsFullScreen() const override { return fullScreen_; }
    bool IsDirect3DInUse() const override { return accelerated_; }
    bool IsCapable3D() const override { return capable3D_; }
    int32_t DesktopBitsPerPixel() const override { return env_.desktopBitsPerPixel; }
    bool GetStretchedViewport(Rect& viewport) const override;

    bool BeginFrame() override;
    void EndFrame() override;
    int32_t Present() override;
    void ClipFrame(const Rect* area) override;

    Image* GetImage(int32_t id, ImageModule module) override;
    bool LoadImageFile(int32_t id, const char* path) override;
    void UnloadImage(int32_t id) override;
    Image* CreateImage(int32_t width, int32_t height) override;
    void DestroyImage(Image* image) override;
    BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                        ImageModule module) override;

    void DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                   int32_t scaleY, int32_t alpha, Rect& covered) override;
    void DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey, const Rect* source,
                        int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) override;
    void FillFrameRect(const Rect* rect, uint32_t colour) override;
    void BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) override;
    void SaveUnderCursor(Rect& rect) override;
    void RestoreUnderCursor() override;

    // Whether a device is made now (false after a release until the next frame makes it).
    bool HasDevice() const { return backend_ != nullptr; }
    bool SetVSyncWait(bool on) override;
    // Drops every image's prepared form and the device; the next frame makes it anew.
    void ReleaseAll();
    // The software path's frame, 800x600 32-bit top-down (null on the accelerated path).
    const uint8_t* Frame() const { return frame_; }
    int32_t FramePitch() const { return framePitch_; }
    // Reads `rect` of the accelerated path's back buffer (32-bit top-down); false on the
    // software path. It waits for the drawing so far to finish.
    bool ReadBackBuffer(const Rect& rect, uint8_t* dst, int32_t pitch);

private:
    bool EnsureDevice();
    int32_t InitDevice();
    void UpdateViewport();
    void DrawImageEx(int32_t x, int32_t y, Image* image, const uint32_t* key, const Rect* source,
                     int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered);
    void Publish();
    // The part of the frame the open frame may draw on now.
    const Rect& DrawableArea() const;
    // Notes that `area` of the software frame may have changed, as far as the clip let it.
    void Touch(const Rect& area);

    BackendFactory factory_;
    DisplaySettings& settings_;
    Environment env_;
    WindowBackend* window_;
    std::function<void()> onFullRedraw_;

    std::shared_ptr<RenderBackend> backend_;
    RenderBackend::Texture* backBuffer_ = nullptr;
    RenderBackend::Texture* cursorTexture_ = nullptr;
    std::vector<uint8_t> cursorPixels_;
    Rect cursorRect_;
    bool accelerated_ = false;
    bool capable3D_ = false;
    bool fullScreen_ = false;  // the window's mode now; it opens windowed
    bool busy_ = false;
    bool closed_ = false;
    bool vsync_ = false;
    uint8_t* frame_ = nullptr;
    int32_t framePitch_ = 0;
    Rect viewport_{0, 0, kFrameWidth, kFrameHeight};
    bool clipped_ = false;
    Rect clip_;
    // What of the software frame changed since it was last shown.
    Rect changed_{0, 0, kFrameWidth, kFrameHeight};
    bool stretched_ = false;

    std::map<int32_t, std::unique_ptr<Image>> imageCache_;
    std::map<int32_t, std::unique_ptr<BitmapFont>> fontCache_;
    std::vector<std::unique_ptr<Image>> createdImages_;
};

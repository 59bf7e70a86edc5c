#pragma once

#include <cstdint>

#include "framework/gfx/Rect.h"

class BitmapFont;
class Image;

// Where an image or font resource is looked up.
enum class ImageModule { Assets, Executable };

// The framework's single graphics device as the screen manager and the widgets see it: display
// modes, frames, the image and font caches, drawing into the 800x600 frame and the save area under
// the software cursor. Colours are COLORREFs (0x00BBGGRR), alphas 0..255, scales percent.
class DisplayDevice {
public:
    virtual ~DisplayDevice() = default;

    // Display mode: 0 on success, a negative code on failure.
    virtual int32_t SetMode(bool fullScreen, bool keepDesktopDepth) = 0;
    virtual void ReportDirectXError(int32_t code) = 0;
    virtual void LeaveExclusiveMode() = 0;
    // Lets go of the renderer, its textures and the frame for good, while the window they draw
    // on still exists; no later frame makes them again. The mode and the path in use still answer.
    virtual void Close() = 0;
    // Windowed only: where the client area now lies on the desktop.
    virtual void SetViewRect(int32_t x, int32_t y) = 0;

    virtual bool IsFullScreen() const = 0;
    // True when frames go through the accelerated path (the cursor is then drawn into the frame).
    virtual bool IsDirect3DInUse() const = 0;
    // True when the last self-test found the accelerated path usable; the "HardwareAcceleration"
    // switch decides whether it is used.
    virtual bool IsCapable3D() const = 0;
    virtual int32_t DesktopBitsPerPixel() const = 0;
    // True when the 800x600 picture is scaled onto `viewport` of the window's area (full screen,
    // or a window the window manager gave another size) instead of shown as it is.
    virtual bool GetStretchedViewport(Rect& viewport) const = 0;

    // One frame: nothing is drawn unless BeginFrame answered true. Present shows the frame; what
    // the frame's draws left alone need not be sent to the window again.
    virtual bool BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual int32_t Present() = 0;
    // Limits every later draw of the open frame to `area` of the frame (null: all of it again),
    // so a part can be drawn anew while the rest of the picture stays as it is. Each frame
    // begins unlimited.
    virtual void ClipFrame(const Rect* area) = 0;
    // Whether Present waits for the vertical blank (so a moving wipe does not tear); answers the
    // previous setting.
    virtual bool SetVSyncWait(bool on) = 0;

    // Image cache keyed by id alone: the first module asked for an id wins. A failed load stays
    // cached as an empty image.
    virtual Image* GetImage(int32_t id, ImageModule module) = 0;
    virtual bool LoadImageFile(int32_t id, const char* path) = 0;
    virtual void UnloadImage(int32_t id) = 0;
    // Blank 32-bit images for composing, owned by the device.
    virtual Image* CreateImage(int32_t width, int32_t height) = 0;
    virtual void DestroyImage(Image* image) = 0;

    // Font cache keyed by glyph image id; colourKey 0xFFFFFFFF means none.
    virtual BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                                ImageModule module) = 0;

    // Blits; `source` null means the whole image. `covered` receives the frame rectangle the
    // draw covers (empty at x, y when nothing is drawn).
    virtual void DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                           int32_t scaleY, int32_t alpha, Rect& covered) = 0;
    virtual void DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey,
                                const Rect* source, int32_t scaleX, int32_t scaleY,
                                int32_t alpha, Rect& covered) = 0;

    // Frame rectangles (null = the whole frame): a solid fill and a blend towards a colour.
    virtual void FillFrameRect(const Rect* rect, uint32_t colour) = 0;
    virtual void BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) = 0;

    // The 32x32 area under the software cursor. Save clips `rect` to the frame in place.
    virtual void SaveUnderCursor(Rect& rect) = 0;
    virtual void RestoreUnderCursor() = 0;
};

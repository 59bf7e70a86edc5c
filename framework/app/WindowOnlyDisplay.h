#pragma once
// The display device the application falls back on while no drawing device is available: it
// switches the window between windowed and full screen and draws nothing. Frames still run
// (updates, pacing); BeginFrame answers false, so the screen manager keeps its redraw pending.
#include "framework/gfx/DisplayDevice.h"
#include "platform/WindowBackend.h"

class WindowOnlyDisplay : public DisplayDevice {
public:
  explicit WindowOnlyDisplay(WindowBackend& backend) : backend_(backend) {}

  int32_t SetMode(bool fullScreen, bool keepDesktopDepth) override;
  void ReportDirectXError(int32_t code) override;
  void LeaveExclusiveMode() override {}
  void SetViewRect(int32_t x, int32_t y) override {}

  bool IsFullScreen() const override { return fullScreen_; }
  bool IsDirect3DInUse() const override { return false; }
  int32_t DesktopBitsPerPixel() const override;
  bool GetStretchedViewport(Rect& viewport) const override { return false; }

  bool BeginFrame() override { return false; }
  void EndFrame() override {}
  int32_t Present() override { return 0; }

  Image* GetImage(int32_t id, ImageModule module) override { return nullptr; }
  bool LoadImageFile(int32_t id, const char* path) override { return false; }
  void UnloadImage(int32_t id) override {}
  Image* CreateImage(int32_t width, int32_t height) override { return nullptr; }
  void DestroyImage(Image* image) override {}
  BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                      ImageModule module) override {
    return nullptr;
  }

  void DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX, int32_t scaleY,
                 int32_t alpha, Rect& covered) override;
  void DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey, const Rect* source,
                      int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) override;
  void FillFrameRect(const Rect* rect, uint32_t colour) override {}
  void BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) override {}
  void SaveUnderCursor(Rect& rect) override { rect = Rect{}; }
  void RestoreUnderCursor() override {}

  // The code SetMode answers when the window refuses the mode.
  static constexpr int32_t kModeRefused = -1;

private:
  WindowBackend& backend_;
  bool fullScreen_ = false;
};

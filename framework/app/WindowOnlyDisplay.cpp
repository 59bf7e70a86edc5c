#include "framework/app/WindowOnlyDisplay.h"

#include "framework/app/MessageBoxes.h"
#include "platform/WindowMessages.h"

int32_t WindowOnlyDisplay::SetMode(bool fullScreen, bool keepDesktopDepth) {
  if (!backend_.SetFullScreen(fullScreen, 0, 0)) return kModeRefused;
  fullScreen_ = fullScreen;
  return 0;
}

void WindowOnlyDisplay::ReportDirectXError(int32_t code) {
  ShowMessageBox(backend_, "The display mode could not be set.", MB_OK | MB_ICONHAND);
}

int32_t WindowOnlyDisplay::DesktopBitsPerPixel() const {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bits = 32;
  backend_.GetDesktopMode(width, height, bits);
  return bits;
}

void WindowOnlyDisplay::DrawImage(int32_t x, int32_t y, Image* image, const Rect* source, int32_t scaleX,
                                  int32_t scaleY, int32_t alpha, Rect& covered) {
  covered = Rect{x, y, x, y};
}

void WindowOnlyDisplay::DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey,
                                       const Rect* source, int32_t scaleX, int32_t scaleY, int32_t alpha,
                                       Rect& covered) {
  covered = Rect{x, y, x, y};
}

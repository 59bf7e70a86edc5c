#include "framework/app/ScreenSize.h"

ScreenSize ChooseScreenSize(const CommandLine& commandLine, int desktopWidth, int desktopHeight) {
  const long width = commandLine.GetOptionInt("-ScreenWidth");
  const long height = commandLine.GetOptionInt("-ScreenHeight");
  if (width >= 1 && height >= 1 && width <= kMaxExplicitScreenSide && height <= kMaxExplicitScreenSide) {
    return {static_cast<int>(width), static_cast<int>(height), true};
  }
  return {desktopWidth, desktopHeight, false};
}

bool IsWideDisplay(int width, int height) { return (height / 3) * 115LL / 100 < width / 4; }

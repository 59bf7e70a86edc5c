#pragma once
// The full-screen size rules: an explicit size from the command line, and the wide-display test.
#include "framework/app/CommandLine.h"

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool explicitSize = false;
};

// Largest side an explicit size may give; larger or non-positive values are ignored.
constexpr int kMaxExplicitScreenSide = 16384;

// "-ScreenWidth" and "-ScreenHeight" when both lie in 1..kMaxExplicitScreenSide, else the
// desktop's size.
ScreenSize ChooseScreenSize(const CommandLine& commandLine, int desktopWidth, int desktopHeight);

// Wide when (H / 3) * 115 / 100 < W / 4, each division truncating.
bool IsWideDisplay(int width, int height);

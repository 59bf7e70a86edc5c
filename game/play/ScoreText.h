#pragma once
// A short text that rises from where points were won or lost and fades out.
#include "framework/core/String.h"

struct ScoreText {
    static constexpr int kLifeMs = 800;

    // "+%d" for gains, "%d" for the rest.
    ScoreText(int points, int x, int y) : x(x), y(y) { text.Format(points < 1 ? "%d" : "+%d", points); }
    ScoreText(const String& text, int x, int y) : x(x), y(y), text(text) {}

    int life = kLifeMs;  // milliseconds left
    int wait = 0;        // milliseconds it stays whole where it starts before its life runs
    int x = 0;
    int y = 0;
    String text;
};

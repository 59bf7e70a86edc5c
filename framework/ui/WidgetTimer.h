#pragma once

#include <cstdint>

// A timer of one widget, run from the frame update on the widget's local clock.
struct WidgetTimer {
    int32_t id = 0;
    uint32_t lastFiring = 0;   // local time of the last firing
    uint32_t interval = 0;     // milliseconds
    int32_t remaining = 0;     // firings left; 0 at the start means until OnTimer answers false
    int32_t total = 0;         // the count the timer was set with
    int32_t perFiring = 1;     // OnTimer calls per elapsed interval
};

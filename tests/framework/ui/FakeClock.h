#pragma once

#include <cstdint>
#include <vector>

#include "framework/ui/FrameClock.h"

// A clock that moves only when told to; sleeping moves it by the time slept.
class FakeClock : public FrameClock {
public:
    uint32_t now = 100000;
    std::vector<uint32_t> sleeps;
    uint32_t Now() override { return now; }
    void Sleep(uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
};

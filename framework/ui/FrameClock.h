#pragma once

#include <cstdint>

// The millisecond clock the frame loop runs on: a wrapping 32-bit tick count and a rest until the
// next frame, which may end early when input arrives. The application passes the system's; tests
// pass one they move by hand.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    virtual uint32_t Now() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

#pragma once
// The frame clock of the screen manager on the window backend's millisecond clock.
#include "framework/ui/FrameClock.h"
#include "platform/WindowBackend.h"

class BackendClock : public FrameClock {
public:
  explicit BackendClock(WindowBackend& backend) : backend_(backend) {}
  uint32_t Now() override { return backend_.Ticks(); }
  void Sleep(uint32_t milliseconds) override { backend_.Sleep(milliseconds); }

private:
  WindowBackend& backend_;
};

#pragma once
// The frame clock of the screen manager on the window backend's millisecond clock. Its rest ends
// early when a message arrives, so input is handled at once rather than after the frame's rest.
#include "framework/ui/FrameClock.h"
#include "platform/WindowBackend.h"

class BackendClock : public FrameClock {
public:
  explicit BackendClock(WindowBackend& backend) : backend_(backend) {}
  uint32_t Now() override { return backend_.Ticks(); }
  void Sleep(uint32_t milliseconds) override { backend_.WaitForMessage(milliseconds); }

private:
  WindowBackend& backend_;
};

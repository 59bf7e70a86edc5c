#pragma once
// The message order both window backends share: posted messages first, then WM_QUIT once one
// was posted, then the frame timer's WM_TIMER once its interval has passed.
// Times are on a wrapping 32-bit millisecond clock given by the caller.
#include <cstdint>
#include <deque>

#include "platform/WindowBackend.h"

class MessageQueue {
public:
  void Post(const WindowMessage& message) { posted_.push_back(message); }
  void PostQuit(int32_t exitCode);
  void SetTimer(uint32_t id, uint32_t intervalMs, uint32_t now);
  void KillTimer(uint32_t id);

  bool Take(uint32_t now, WindowMessage& message);
  // Milliseconds until the timer is due (0 when due), -1 without a timer.
  int64_t TimeToTimer(uint32_t now) const;
  bool HasPosted() const { return !posted_.empty(); }

private:
  std::deque<WindowMessage> posted_;
  bool quit_ = false;
  int32_t exitCode_ = 0;
  bool timerOn_ = false;
  uint32_t timerId_ = 0;
  uint32_t interval_ = 0;
  uint32_t due_ = 0;
};

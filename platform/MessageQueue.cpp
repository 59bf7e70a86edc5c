#include "platform/MessageQueue.h"

#include "platform/WindowMessages.h"

void MessageQueue::PostQuit(int32_t exitCode) {
  quit_ = true;
  exitCode_ = exitCode;
}

void MessageQueue::SetTimer(uint32_t id, uint32_t intervalMs, uint32_t now) {
  timerOn_ = true;
  timerId_ = id;
  interval_ = intervalMs == 0 ? 1 : intervalMs;
  due_ = now + interval_;
}

void MessageQueue::KillTimer(uint32_t id) {
  if (timerOn_ && id == timerId_) timerOn_ = false;
}

int64_t MessageQueue::TimeToTimer(uint32_t now) const {
  if (!timerOn_) return -1;
  const auto remaining = static_cast<int32_t>(due_ - now);
  return remaining > 0 ? remaining : 0;
}

bool MessageQueue::Take(uint32_t now, WindowMessage& message) {
  if (!posted_.empty()) {
    message = posted_.front();
    posted_.pop_front();
    return true;
  }
  if (quit_) {
    quit_ = false;
    message = WindowMessage{WM_QUIT, static_cast<uint64_t>(static_cast<int64_t>(exitCode_)), 0};
    return true;
  }
  if (timerOn_ && static_cast<int32_t>(now - due_) >= 0) {
    // One WM_TIMER however long the wait was; the next comes a full interval later.
    due_ = now + interval_;
    message = WindowMessage{WM_TIMER, timerId_, 0};
    return true;
  }
  return false;
}

#pragma once
// SDL shows an X11 message box from a child process and waits for it without looking at
// signals. While a guard lives, a child forked to show a box dies with this process, even when
// this process is killed outright, and SIGTERM, SIGINT or SIGHUP to this process close the box
// first and then take the effect they had before the box (a signal that was ignored stays
// ignored). The box then answers as if it could not be shown.
class BoxProcessGuard {
public:
  // Sets up what the guards share; call once before the first box, outside a signal handler.
  // Without it, or when it fails, guards do nothing.
  static void Prepare();

  BoxProcessGuard();
  ~BoxProcessGuard();
  BoxProcessGuard(const BoxProcessGuard&) = delete;
  BoxProcessGuard& operator=(const BoxProcessGuard&) = delete;

private:
  bool active_ = false;
};

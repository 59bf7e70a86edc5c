#include "platform/X11ErrorHandlers.h"

#include <X11/Xlib.h>
#include <errno.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/EndingAlarm.h"

namespace {

// None of these has a destructor: an error can come while exit's destructors run.
XIOErrorHandler g_previousLost = nullptr;
pid_t g_owner = 0;
std::mutex g_seenLock;
bool g_seen[256][256];

std::function<void()>& Keeper() {
  static auto* keeper = new std::function<void()>;
  return *keeper;
}

void EndNow(int) { _exit(X11ErrorHandlers::kDisplayLostStatus); }

int OnError(Display* display, XErrorEvent* error) {
  {
    const std::lock_guard<std::mutex> lock(g_seenLock);
    bool& seen = g_seen[error->error_code][error->request_code];
    if (seen) return 0;
    seen = true;
  }
  char what[160] = "";
  XGetErrorText(display, error->error_code, what, sizeof what);
  // Core requests are named in Xlib's database; an extension's are known by number only.
  char request[80] = "";
  if (error->request_code < 128)
    XGetErrorDatabaseText(display, "XRequest", std::to_string(error->request_code).c_str(), "", request,
                          sizeof request);
  std::fprintf(stderr, "%s: X error ignored, further ones of its kind unshown: %s, request %d.%d %s, resource 0x%lx\n",
               program_invocation_short_name, what, error->request_code, error->minor_code, request,
               error->resourceid);
  return 0;
}

// Never returns into Xlib, which would call exit(). Everything here keeps off the connection.
int OnLost(Display* display) {
  static std::atomic<bool> ending{false};
  // A second loss (the keeper's, another connection's, another thread's) waits for the first or
  // the alarm to end the process.
  if (ending.exchange(true)) {
    for (;;) pause();
  }
  // Whatever the keeper does, the process ends soon.
  ArmEndingAlarm(EndNow, 2);
  std::fprintf(stderr, "%s: the connection to the display %s was lost; the program ends\n",
               program_invocation_short_name, DisplayString(display));
  std::fflush(stderr);
  // A child forked from the program (SDL shows its boxes from one) keeps nothing of the parent's.
  if (getpid() == g_owner && Keeper()) Keeper()();
  _exit(X11ErrorHandlers::kDisplayLostStatus);
}

}  // namespace

void X11ErrorHandlers::Install() {
  {
    const std::lock_guard<std::mutex> lock(g_seenLock);
    for (auto& kinds : g_seen)
      for (bool& seen : kinds) seen = false;
  }
  XSetErrorHandler(OnError);
  const XIOErrorHandler previous = XSetIOErrorHandler(OnLost);
  if (previous != OnLost) g_previousLost = previous;
  g_owner = getpid();
}

void X11ErrorHandlers::Remove() {
  XSetIOErrorHandler(g_previousLost);
  g_previousLost = nullptr;
}

void X11ErrorHandlers::SetDisplayLostKeeper(std::function<void()> keeper) { Keeper() = std::move(keeper); }

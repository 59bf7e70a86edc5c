#pragma once
// The process's handlers of X errors while SDL's X video runs, in place of Xlib's. Xlib's end the
// process at any error, even one about a window another client has just destroyed (SDL asks
// about a window's parent at each ConfigureNotify, and a window manager may have taken that
// frame away by then); and at a lost connection they call exit(), whose destructors then wait on
// the dead connection for ever.
//
// An error is written once for each kind (error, request) while they are in force, and the
// program goes on: the server refused that one request, which changed nothing, and the
// connection stays sound, whereas ending would lose the player's game. A lost connection runs the
// keeper, writes one line and ends the process at once.
#include <sysexits.h>

#include <functional>

class X11ErrorHandlers {
public:
  // The exit status of a process whose display was lost: a service it needs is gone.
  static constexpr int kDisplayLostStatus = EX_UNAVAILABLE;

  // Puts ours in force. SDL puts its own in as its X video starts and puts back what it found
  // around the few requests it expects to fail, so this comes once SDL's video has started; SDL
  // puts Xlib's error handler back as it ends.
  static void Install();
  // Puts back the handler of a lost connection that was in force before Install.
  static void Remove();
  // What a quit keeps, run when the connection is lost: it may make no window-system call, and
  // the process ends two seconds later whatever it is doing. Null keeps nothing.
  static void SetDisplayLostKeeper(std::function<void()> keeper);
};

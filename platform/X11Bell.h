#pragma once
// The bell of the X server an SDL window is shown on. The window's connection is SDL's own and
// stays open until SDL's video subsystem quits, so the bell keeps it and still rings once the
// window is gone.
#include <SDL.h>

struct _XDisplay;

class X11Bell {
public:
  // Takes the X connection of `window`; a window of another video driver leaves the bell as it
  // was.
  void Attach(SDL_Window* window);
  // Rings at the server's base volume and sends the request at once; nothing without an X
  // connection.
  void Ring() const;

private:
  _XDisplay* display_ = nullptr;
};

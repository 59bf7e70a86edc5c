#pragma once
// Takes another client's top-level window off the screen, through a connection of its own:
// the crash box's way past a game window that holds full screen (and the grabs it may hold go
// with it). A window gone already, or no display, changes nothing.
void X11WithdrawWindow(unsigned long window);

#!/usr/bin/python3
"""What the game shows on an X display, read back from the server.

  window_picture.py menu <display> <screen.png> <seconds> <game's process id>
      Waits until the screen shows the main menu and writes that picture: the first painted
      scene over much of the screen that stands still while the game runs on (the splash is a
      plain ground with a few pictures on it). The seconds are of the game's processor time,
      which a loaded machine stretches as it stretches the way to the menu.
  window_picture.py cut <screen.png> <x> <y> <width> <height> <out.png>
      Writes that part of a picture.
  window_picture.py full-screen <display> <window.png> <seconds>
      Waits until the screen is the window's picture scaled to the screen's height and centred
      between black bars.

Exits 1 with the reason on stderr when the picture never comes.
"""
import os
import sys
import time

from PIL import Image, ImageChops, ImageDraw, ImageGrab, ImageStat

# Mean absolute differences per channel, of 255.
STILL = 1.0          # two grabs this close: the picture stands still
SAME_PICTURE = 6.0   # a scaled copy this close: the same picture (filters differ at edges)
BLACK = 8            # no channel above this: a black bar
STANDS = 2.5         # seconds a picture stands still before it counts as a screen,
RUNS = 1.0           # and seconds of processor time the game spends meanwhile: a game held up
                     # by the load may leave a fade's step standing for longer than STANDS


def difference(a, b):
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


def fail(reason):
    print(f"FAIL: {reason}", file=sys.stderr)
    sys.exit(1)


def is_scene(picture):
    """Whether the lit part of a picture is a painted scene over a quarter of it at least, which
    the main menu is: no single colour covers half of it, as the splash's plain ground does. (A
    black screen with the full-screen corner's mark alone is no scene.)"""
    box = picture.getbbox()
    if box is None:
        return False
    lit = picture.crop(box)
    count = lit.width * lit.height
    return count * 4 >= picture.width * picture.height and max(lit.getcolors(count))[0] < count // 2


def processor_time(pid):
    """Seconds of processor time the process has used."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except OSError:
        fail("the game ended")
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def wait_for_menu(display, seconds, pid):
    start = time.monotonic()
    started = processor_time(pid)
    previous = None
    still_since = None
    trail = []
    while (ran := processor_time(pid)) - started < seconds:
        try:
            picture = ImageGrab.grab(xdisplay=display)
        except OSError as error:
            fail(f"cannot read the display: {error}")
        now = time.monotonic()
        change = difference(picture, previous) if previous else 255.0
        trail.append(f"{now - start:.1f} s, the game's {ran - started:.1f} s: change {change:.1f}")
        if change >= STILL:
            still_since = None
        elif still_since is None:
            still_since = (now, ran)
        # A fade's step stands only while the game is held up; the menu stands while it runs.
        if (still_since is not None and now - still_since[0] >= STANDS and ran - still_since[1] >= RUNS
                and is_scene(picture)):
            return picture
        previous = picture
        time.sleep(0.3)
    print("\n".join(trail), file=sys.stderr)
    fail("the main menu never came")


def full_screen_fault(screen, window):
    """Why the screen is not the window's picture scaled to the screen's height between black
    bars, or None when it is."""
    width, height = screen.size
    shown = round(height * window.width / window.height)
    left = (width - shown) // 2
    for bar in ((0, 0, left - 1, height), (left + shown + 1, 0, width, height)):
        brightest = max(high for _, high in screen.crop(bar).getextrema())
        if brightest > BLACK:
            return f"the bar {bar} is not black (brightest {brightest})"
    scaled = window.resize((shown, height), Image.BILINEAR)
    middle = screen.crop((left, 0, left + shown, height))
    # Full screen marks its top right corner (16 frame pixels square) for leaving it; the window
    # shows no mark there. A margin covers the filter's spread.
    corner = (shown * (784 - 8) // 800, 0, shown, height * (16 + 8) // 600)
    for picture in (scaled, middle):
        ImageDraw.Draw(picture).rectangle(corner, fill=(0, 0, 0))
    apart = difference(scaled, middle)
    if apart > SAME_PICTURE:
        return f"the screen is not the window's picture scaled to {shown}x{height} at x={left} (differs by {apart:.1f})"
    print(f"full screen: the picture scaled to {shown}x{height} at x={left}, {apart:.1f} from the window's")
    return None


def wait_for_full_screen(display, window, seconds):
    start = time.monotonic()
    fault = "nothing was read"
    while time.monotonic() - start < seconds:
        try:
            fault = full_screen_fault(ImageGrab.grab(xdisplay=display), window)
        except OSError as error:
            fail(f"cannot read the display: {error}")
        if fault is None:
            return
        time.sleep(0.3)
    fail(fault)


def main(argv):
    if len(argv) == 6 and argv[1] == "menu":
        wait_for_menu(argv[2], float(argv[4]), int(argv[5])).save(argv[3])
    elif len(argv) == 8 and argv[1] == "cut":
        x, y, w, h = (int(v) for v in argv[3:7])
        Image.open(argv[2]).convert("RGB").crop((x, y, x + w, y + h)).save(argv[7])
    elif len(argv) == 5 and argv[1] == "full-screen":
        wait_for_full_screen(argv[2], Image.open(argv[3]).convert("RGB"), float(argv[4]))
    else:
        fail(__doc__)


if __name__ == "__main__":
    main(sys.argv)

#!/usr/bin/env python3
"""Processor share of the real game while nothing moves.

Starts the game on a private Xvfb display with a window manager, brings it to the main menu and to
a play screen, and for each of them, with the pointer resting over the window and outside it, reads
the game's processor time from /proc/<pid>/stat over a quiet span. It does so as a player starts
it (accelerated where the machine has a graphics card, else the software path), with -no3d (the
software path), and with OpenGL drawn on the processor let in as the accelerated path (emulated
3D, which a machine without a graphics card otherwise refuses). Each line gives the share of one
core; the resident memory of each screen follows.

    bench/game/idle_cpu.py build/bench/quillomar [--seconds 30]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

TARGETS = {"menu": 5.0, "play": 1.0}  # share of a core, in percent
RSS_TARGET_MIB = 120  # resident memory at the play screen on the software path


def start_display():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            sys.exit("Xvfb did not start")
        number += chunk
    os.close(read_end)
    display = ":" + number.decode().strip()
    wm = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    return display, [wm, xvfb]


def xdotool(display, *args):
    return subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display),
                          capture_output=True, text=True).stdout.strip()


def find_window(display, game, deadline=30.0):
    end = time.time() + deadline
    while time.time() < end:
        if game.poll() is not None:
            sys.exit("the game ended at start-up")
        ids = xdotool(display, "search", "--onlyvisible", "--name", "Quillomar").split()
        if ids:
            return ids[-1]
        time.sleep(0.2)
    sys.exit("the game's window did not appear")


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def share(pid, seconds):
    start_cpu, start_wall = processor_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return 100.0 * (processor_seconds(pid) - start_cpu) / (time.monotonic() - start_wall)


def click(display, window, x, y, settle):
    xdotool(display, "mousemove", "--window", window, str(x), str(y))
    time.sleep(0.2)
    xdotool(display, "click", "1")
    time.sleep(settle)


def pointer_in(display, window):
    # A spot of the menu and of the play screen's table where nothing reacts to the pointer.
    xdotool(display, "mousemove", "--window", window, "60", "300")


def pointer_out(display):
    xdotool(display, "mousemove", "1275", "795")


# name, extra arguments, extra environment, whether the targets apply: the game never takes the
# emulated path by itself, so it is measured for comparison only.
CONFIGURATIONS = [
    ("accelerated", [], {}, True),
    ("software", ["-no3d"], {}, True),
    ("emulated-3d", [], {"QUILLOMAR_TEST": "1", "QUILLOMAR_SOFTWARE_3D": "1"}, False),
]


def run(game_path, display, arguments, environment, seconds):
    home = tempfile.mkdtemp(prefix="quillomar-idle-")
    config = os.path.join(home, "config", "Fennlow", "Quillomar")
    os.makedirs(config)
    with open(os.path.join(config, "settings.ini"), "w") as f:
        f.write("FullScreen=0\n")
    args = [game_path] + arguments
    env = dict(os.environ, DISPLAY=display, QUILLOMAR_HOME=home, SDL_AUDIODRIVER="dummy", **environment)
    game = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    results = {}
    resident = {}
    try:
        window = find_window(display, game)
        time.sleep(10.0)  # the splash and the veil into the main menu
        for screen in ("menu", "play"):
            if screen == "play":
                click(display, window, 400, 360, 3.0)  # free play, which first asks a new player's name
                xdotool(display, "type", "--window", window, "Bench")
                xdotool(display, "key", "--window", window, "Return")
                time.sleep(3.0)
                click(display, window, 492, 569, 5.0)  # play the layout the page offers
            for where in ("in", "out"):
                if where == "in":
                    pointer_in(display, window)
                else:
                    pointer_out(display)
                time.sleep(2.0)
                results[(screen, where)] = share(game.pid, seconds)
            resident[screen] = resident_kib(game.pid)
    finally:
        game.terminate()
        try:
            game.wait(10)
        except subprocess.TimeoutExpired:
            game.kill()
        shutil.rmtree(home, ignore_errors=True)
    return results, resident


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("game")
    parser.add_argument("--seconds", type=float, default=30.0)
    options = parser.parse_args()
    for tool in ("Xvfb", "openbox", "xdotool"):
        if shutil.which(tool) is None:
            print(f"idle-cpu: skipped, {tool} is not installed")
            return 0
    display, helpers = start_display()
    failed = False
    try:
        for path, arguments, environment, judged in CONFIGURATIONS:
            results, resident = run(options.game, display, arguments, environment, options.seconds)
            for (screen, where), value in results.items():
                line = f"idle-cpu {path} {screen} pointer-{where}: {value:.2f} % of a core"
                if judged:
                    failed |= value > TARGETS[screen]
                    line += f" (target {TARGETS[screen]:g} %) {'ok' if value <= TARGETS[screen] else 'OVER'}"
                else:
                    line += " (for comparison)"
                print(line)
            for screen, kib in resident.items():
                line = f"idle-rss {path} {screen}: {kib / 1024:.1f} MiB"
                if screen == "play" and path == "software":
                    over = kib / 1024 > RSS_TARGET_MIB
                    failed |= over
                    line += f" (target {RSS_TARGET_MIB:g} MiB) {'OVER' if over else 'ok'}"
                print(line)
    finally:
        for helper in helpers:
            helper.terminate()
            helper.wait()
    if failed:
        print("idle-cpu: some figures are over their targets")
    return 0


if __name__ == "__main__":
    sys.exit(main())

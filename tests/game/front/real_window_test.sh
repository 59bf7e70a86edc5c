#!/usr/bin/env bash
# The real program, built without sanitizers, on private virtual screens of 1280x800, asked to
# start in full screen with the picture kept at 4:3:
#  1. on a bare X server, where no window manager carries full screen out, under valgrind's
#     memcheck: it reaches the main menu in an 800x600 window, quits on Alt+F4 as a player
#     quits, still asking for full screen in its settings, and memcheck finds no invalid access
#     and no use of uninitialised memory with our code or SDL on its stack;
#  2. with a window manager, where full screen happens: the screen shows the window's picture
#     scaled to its height and centred between black bars, never a zoomed corner of it.
# Every wait polls for the state it needs, within a bound far above what a loaded machine takes.
# Usage: real_window_test.sh <program> <valgrind suppressions>
set -u
program=$1
suppressions=$2
here=$(dirname "$0")
work=$(mktemp -d)
cleanup() {
  local pid
  for pid in $(jobs -p); do kill -9 "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Skipping would hide a missing tool: every one of them is installed by ./dev.
for tool in valgrind Xvfb openbox xdotool xprop /usr/bin/python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$(dirname "$program")/resource.pak" ] || fail "no asset pack beside $program"
mkdir -p "$work/bin"
cp "$program" "$(dirname "$program")/resource.pak" "$work/bin/"
game=$work/bin/$(basename "$program")

# Starts an X server of its own on a free display number and sets DISPLAY to it. It must not
# reset when its last client leaves: a reset drops a client that connects meanwhile (the game,
# while xdotool polls for its window), which then finds no display.
start_server() {
  local name=$1 deadline=$((SECONDS + 60))
  Xvfb -displayfd 5 -noreset -screen 0 1280x800x24 -nolisten tcp 5>"$work/$name.display" 2>"$work/$name.log" &
  until [ -s "$work/$name.display" ] || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
  [ -s "$work/$name.display" ] || fail "the X server did not start: $(cat "$work/$name.log")"
  export DISPLAY=:$(cat "$work/$name.display")
}

# A fresh home whose settings ask for full screen with the 4:3 picture, and no music.
new_home() {
  export QUILLOMAR_HOME=$work/$1
  mkdir -p "$QUILLOMAR_HOME/config/Fennlow/Quillomar"
  chmod 700 "$QUILLOMAR_HOME"
  printf 'MusicOn=0\nFullScreen=1\nWideScreen=1\n' >"$QUILLOMAR_HOME/config/Fennlow/Quillomar/settings.ini"
}

# Waits for the game's visible window and sets window, X, Y, WIDTH and HEIGHT. The first window
# may be replaced while the renderer starts, even between finding it and asking its size: it is
# looked up again after the menu came.
wait_window() {
  local game_pid=$1 deadline=$((SECONDS + 300)) geometry=
  until [ $SECONDS -ge $deadline ]; do
    window=$(xdotool search --onlyvisible --name '^Quillomar$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null) && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window came: $(cat "$work/game.out")"
    sleep 0.1
  done
  [ -n "$geometry" ] || fail "no window"
  eval "$geometry"
}

# Alt+F4 to the window once it has the focus; the game must end by itself, with success.
quit_game() {
  local game_pid=$1 status deadline=$((SECONDS + 60))
  until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; do
    [ $SECONDS -ge $deadline ] && fail "the window never got the focus"
    xdotool windowfocus "$window"
    sleep 0.1
  done
  xdotool key alt+F4
  deadline=$((SECONDS + 300))
  while kill -0 "$game_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not quit on Alt+F4"
  wait "$game_pid"
  status=$?
  [ "$status" -eq 0 ] || fail "quit ended with $status: $(cat "$work/game.out")"
}

# 1. Bare server, under memcheck.
start_server bare
new_home bare
started=$SECONDS
valgrind --tool=memcheck --num-callers=40 --fullpath-after= --suppressions="$suppressions" \
  --log-file="$work/memcheck.%p.log" "$game" >"$work/game.out" 2>&1 &
game_pid=$!
wait_window "$game_pid"
# The pointer away from the picture.
xdotool mousemove 0 0
picture=$here/window_picture.py
/usr/bin/python3 "$picture" menu "$DISPLAY" "$work/bare.png" 240 "$game_pid" || fail "no main menu on the bare screen"
echo "main menu after $((SECONDS - started)) s under memcheck"
wait_window "$game_pid"
[ "$WIDTH" -eq 800 ] && [ "$HEIGHT" -eq 600 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 800x600"
/usr/bin/python3 "$picture" cut "$work/bare.png" "$X" "$Y" 800 600 "$work/window.png" || fail "no window picture"
quit_game "$game_pid"
# Going on in a window for want of a window manager is no choice of the player's.
grep -qx 'FullScreen=1' "$QUILLOMAR_HOME/config/Fennlow/Quillomar/settings.ini" ||
  fail "the window it fell back to was stored as the player's choice"

# Each error's first block is the stack that made it; it counts when a frame of that stack is
# our code (a source file of one of our folders, wherever it was compiled) or SDL.
awk '
  function report() { if (counted && kind ~ /^(Invalid |Mismatched |.*uninitialised)/) { print block; found++ } }
  { sub(/^==[0-9]+== ?/, "") }
  /^[^ ]/ { report(); kind = $0; block = $0; counted = 0; stack = 1; next }
  /^ *$/ { report(); kind = ""; stack = 0; next }
  { block = block "\n" $0 }
  /^ +(Address|Uninitialised value was created|Block was alloc)/ { stack = 0 }
  stack && (/\/(framework|platform|game|png|imageops)\/[^ ]+:[0-9]+\)$/ || /libSDL2/) { counted = 1 }
  END { report(); exit (found > 0) }
' "$work"/memcheck.*.log >"$work/errors.txt" || { cat "$work/errors.txt"; fail "memcheck found errors"; }
grep -h "ERROR SUMMARY" "$work"/memcheck.*.log

# 2. With a window manager, without valgrind.
start_server managed
openbox >"$work/openbox.out" 2>&1 &
openbox_pid=$!
# The manager is ready once it names itself on the root window.
deadline=$((SECONDS + 120))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  kill -0 "$openbox_pid" 2>/dev/null || fail "the window manager ended: $(cat "$work/openbox.out")"
  [ $SECONDS -ge $deadline ] && fail "the window manager never came"
  sleep 0.1
done
new_home managed
"$game" >"$work/game.out" 2>&1 &
game_pid=$!
wait_window "$game_pid"
xdotool mousemove 0 0
/usr/bin/python3 "$picture" full-screen "$DISPLAY" "$work/window.png" 240 || fail "full screen is wrong"
wait_window "$game_pid"
quit_game "$game_pid"
echo "real window test passed"

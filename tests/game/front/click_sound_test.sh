#!/usr/bin/env bash
# The real program on a virtual display with SDL's disk audio driver: the game starts its sound,
# stays silent with the music switched off, and a click on a main-menu button plays the click.
# Usage: click_sound_test.sh <program>
set -u
program=$1
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v xdotool >/dev/null && command -v xwininfo >/dev/null || { echo "no xdotool: skipped"; exit 77; }
[ -f "$(dirname "$program")/resource.pak" ] || { echo "no asset pack built: skipped"; exit 77; }

export QUILLOMAR_HOME=$work/home
mkdir -p "$QUILLOMAR_HOME/config/Fennlow/Quillomar" "$work/bin"
chmod 700 "$QUILLOMAR_HOME"
# Windowed, so the pointer lands where the window is; no music, so any sound is the click.
printf 'MusicOn=0\nFullScreen=0\n' >"$QUILLOMAR_HOME/config/Fennlow/Quillomar/settings.ini"
cp "$program" "$(dirname "$program")/resource.pak" "$work/bin/"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw

# On a loaded machine the fresh server can take a moment before it accepts clients.
for _ in $(seq 1 100); do
  xwininfo -root >/dev/null 2>&1 && break
  sleep 0.1
done
"$work/bin/$(basename "$program")" >"$work/game.out" 2>&1 &
game=$!

info=
for _ in $(seq 1 300); do
  info=$(xwininfo -root -tree | grep '"Quillomar"' | head -n 1)
  [ -n "$info" ] && break
  kill -0 "$game" 2>/dev/null || fail "the game ended: $(cat "$work/game.out")"
  sleep 0.1
done
[ -n "$info" ] || fail "no window"
for _ in $(seq 1 100); do
  [ -f "$work/audio.raw" ] && break
  sleep 0.1
done
[ -f "$work/audio.raw" ] || fail "sound was not started: $(cat "$work/game.out")"
origin=$(echo "$info" | sed -E 's/.*\+([0-9]+)\+([0-9]+)$/\1 \2/')
read -r left top <<<"$origin"

# Bytes from `offset` on that are not silence (signed samples: silence is zero).
loud_after() { od -An -v -tu1 -j "$1" "$work/audio.raw" | tr -s ' ' '\n' | grep -cv '^0*$'; }

# The splash runs first; the help button answers once the menu is up. Nothing sounds before the
# first click, so whatever is heard after it is a click, however late a slow run writes it (a
# later click may land on the help box and make no sound of its own).
first=
for attempt in $(seq 1 40); do
  sleep 1
  offset=$(stat -c %s "$work/audio.raw")
  if [ -z "$first" ]; then
    [ "$(loud_after 0)" -eq 0 ] || fail "sound before any click"
    first=$offset
  fi
  xdotool mousemove $((left + 400)) $((top + 541)) mousedown 1 mouseup 1
  sleep 1
  if [ "$(loud_after "$first")" -gt 0 ]; then
    echo "click heard after $attempt attempt(s)"
    kill -TERM "$game"
    wait "$game" || fail "quit ended with $?"
    exit 0
  fi
done
fail "no click heard"

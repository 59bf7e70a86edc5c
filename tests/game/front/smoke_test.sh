#!/usr/bin/env bash
# Runs the built program on the virtual display the caller opened. Usage: smoke_test.sh <program>
# (Leak checking is off for it: the desktop libraries under SDL keep blocks until exit.)
set -u
program=$1
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export QUILLOMAR_HOME=$work/home
mkdir -p "$QUILLOMAR_HOME" "$work/bin"
chmod 700 "$QUILLOMAR_HOME"
# A copy of its own, so the pack beside it is the test's choice.
cp "$program" "$work/bin/quillomar"
game=$work/bin/quillomar
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until the first copy listens for later copies (its window is open by then).
wait_running() {
  for _ in $(seq 1 300); do
    [ -S "$QUILLOMAR_HOME/run/$1.sock" ] && return 0
    sleep 0.1
  done
  return 1
}

# Without the asset pack: the message is printed (no one to click it) and the start fails.
"$game" >"$work/nopack.out" 2>&1 && fail "started without its pack"
[ -s "$work/nopack.out" ] || fail "no message without the pack"

[ -f "$(dirname "$program")/resource.pak" ] || { echo "no asset pack built: skipped"; exit 77; }
cp "$(dirname "$program")/resource.pak" "$work/bin/"
grep -q "Cannot locate the resource file" "$work/nopack.out" || fail "wrong message: $(cat "$work/nopack.out")"

"$game" >"$work/first.out" 2>&1 &
first=$!
name=Quillomar
wait_running "$name" || fail "first copy never came up: $(cat "$work/first.out")"

if command -v xwininfo >/dev/null; then
  # The window is titled once the display device is up, which may come after the socket.
  info=
  for _ in $(seq 1 300); do
    info=$(xwininfo -root -tree | grep "\"$name\"" | head -n 1)
    [ -n "$info" ] && break
    sleep 0.1
  done
  [ -n "$info" ] || fail "no window titled $name"
  echo "$info" | grep -q " 800x600+" || fail "client area is not 800x600: $info"
  if command -v import >/dev/null; then
    id=$(echo "$info" | awk '{print $1}')
    # A screenshot is a bonus: an import stuck on a busy display must not hold up the test.
    timeout 20 import -window "$id" "$work/shot.png" 2>/dev/null && echo "screenshot taken"
  fi
fi

# A second start brings the first forward and ends at once with success.
timeout 60 "$game" >"$work/second.out" 2>&1 || fail "second copy did not end cleanly"
kill -0 "$first" 2>/dev/null || fail "first copy died when the second started"

# With the first copy stopped, later starts show their box (in a child process); a log-out's
# SIGTERM ends each with its box, and a start killed outright leaves no box behind.
kill -STOP "$first"
for _ in 1 2 3 4; do QUILLOMAR_TEST=0 "$game" >/dev/null 2>&1 & done
launches=$(jobs -p | grep -vx "$first")
boxes=
for _ in $(seq 300); do
  boxes=$(for launch in $launches; do pgrep -P "$launch"; done)
  [ "$(echo $boxes | wc -w)" -eq 4 ] && break
  sleep 0.1
done
[ "$(echo $boxes | wc -w)" -eq 4 ] || fail "later starts showed no boxes"
set -- $launches
kill -TERM "$1" "$2" "$3"
kill -KILL "$4"
sleep 3
for pid in $launches $boxes; do
  case $(ps -o stat= -p "$pid") in ''|Z*) ;; *) fail "process $pid still runs 3 s after the signal" ;; esac
done
wait $launches
kill -CONT "$first"

# CPU use of the idle game over two seconds (in clock ticks of user + system time).
ticks() { awk '{print $14 + $15}' "/proc/$first/stat"; }
before=$(ticks)
sleep 2
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU: $(( (after - before) * 100 / (2 * hz) ))% of one core"

# Closing (the desktop's quit request) quits cleanly and stores the settings.
kill -TERM "$first"
wait "$first"
status=$?
[ "$status" -eq 0 ] || fail "quit ended with $status: $(cat "$work/first.out")"
[ -f "$QUILLOMAR_HOME/config/Fennlow/$name/settings.ini" ] || fail "settings not written"

# A crash appends its report.
"$game" >"$work/crash.out" 2>&1 &
victim=$!
wait_running "$name" || fail "crash copy never came up"
sleep 0.5
kill -SEGV "$victim"
wait "$victim"
status=$?
[ "$status" -eq $((128 + 11)) ] || fail "crashed copy ended with $status"
report=$(find "$QUILLOMAR_HOME" -name Error.txt | head -n 1)
[ -n "$report" ] || fail "no Error.txt"
grep -q "^Exception code: 0000000B SIGSEGV" "$report" || fail "report lacks the exception line"
echo "smoke test passed"

#!/usr/bin/env bash
# Installs the build into a scratch prefix the way a distribution would, checks the desktop files
# with their validators, and starts the installed copy on the virtual display the caller opened:
# it must find its asset pack in the data folder and quit cleanly.
# Usage: install_test.sh <build folder>
set -u
build=$1
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.out" 2>&1 || fail "install: $(cat "$work/install.out")"
for f in bin/quillomar share/quillomar/resource.pak share/applications/quillomar.desktop \
         share/metainfo/quillomar.metainfo.xml share/icons/hicolor/256x256/apps/quillomar.png \
         share/icons/hicolor/16x16/apps/quillomar.png; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/bin/resource.pak" ] || fail "the pack was installed beside the executable"
desktop-file-validate "$prefix/share/applications/quillomar.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/quillomar.metainfo.xml" || fail "metainfo"

export QUILLOMAR_HOME=$work/home
mkdir -p "$QUILLOMAR_HOME/config/Fennlow/Quillomar"
chmod 700 "$QUILLOMAR_HOME"
printf 'FullScreen=0\nMusicOn=0\nSoundsOn=0\n' >"$QUILLOMAR_HOME/config/Fennlow/Quillomar/settings.ini"
# Started through PATH, as the desktop entry does.
PATH=$prefix/bin:$PATH quillomar >"$work/game.out" 2>&1 &
game=$!
for _ in $(seq 1 300); do
  [ -S "$QUILLOMAR_HOME/run/Quillomar.sock" ] && break
  kill -0 "$game" 2>/dev/null || fail "the installed copy ended: $(cat "$work/game.out")"
  sleep 0.1
done
[ -S "$QUILLOMAR_HOME/run/Quillomar.sock" ] || fail "the installed copy never came up"
sleep 1
kill -TERM "$game"
wait "$game" || fail "quit ended with $?: $(cat "$work/game.out")"
echo "installed copy started from $prefix and quit cleanly"

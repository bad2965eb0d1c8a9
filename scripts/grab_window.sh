#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Grabs tarvex4's main window to a PNG, with the tool tarvex4-grab-window
# built beside tarvex4.
#   scripts/grab_window.sh [--xvfb] [--exe PATH-OF-THE-TOOL] [OUTPUT.png]
# Default: offscreen (no display needed). --xvfb draws it in a real X server
# (xvfb-run) and grabs it from the screen.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
mode=offscreen
exe="${TARVEX4_GRAB_EXE:-}"
out="$top/docs/main-window.png"
while [ $# -gt 0 ]; do
  case "$1" in
    --xvfb) mode=xvfb ;;
    --exe) exe="$2"; shift ;;
    -h|--help) sed -n 2,7p "$0"; exit 0 ;;
    *) out="$1" ;;
  esac
  shift
done
if [ -z "$exe" ]; then
  for candidate in "$top"/build/release/bin/tarvex4-grab-window "$top"/build/*/bin/tarvex4-grab-window; do
    if [ -x "$candidate" ]; then exe="$candidate"; break; fi
  done
fi
if [ -z "$exe" ] || [ ! -x "$exe" ]; then
  echo "grab_window.sh: no built tarvex4-grab-window found; build it (cmake --build BUILD --target tarvex4-grab-window) or pass --exe PATH" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
# A data folder of its own, so the user's settings are neither used nor changed.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
# Start it with the delivered data of a build tree when there is one.
for delivered in "$(dirname "$exe")/../share/tarvex4" "$top"/build/*/share/tarvex4; do
  if [ -f "$delivered/words6.db" ]; then
    mkdir -p "$home/vantelo" && cp -r "$delivered"/. "$home/vantelo/"
    break
  fi
done
export VANTELO_HOME="$home/vantelo" TARVEX4_NO_OPEN=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
case "$mode" in
  offscreen) QT_QPA_PLATFORM=offscreen "$exe" "$out" ;;
  xvfb) env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY xvfb-run -a -s "-screen 0 1024x768x24" "$exe" "$out" ;;
esac
echo "$out"

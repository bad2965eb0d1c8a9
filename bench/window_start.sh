#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Window start: milliseconds from launch until the window is mapped, under a
# bare Xvfb (no window manager), for tarvex4 (its main window, and its track 1
# window, which opens at start; and its window program started directly,
# without the `tarvex4` command before it) and for a bare Qt main window of the same size
# (the yardstick), also with a menu and a line of text (which loads the font
# database, as every window with text must).
# Prints the median of RUNS runs (default 11) of each, taken in turns, and
# the ratios: the wall time, and the processor time the program had used by
# then (steadier on a busy machine).
#
#   bench/window_start.sh [build folder]     (default build/release)
#
# A release build with the benchmarks and the delivered data, e.g.:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX4_BUILD_TESTS=OFF
#   cmake --build build/release --target tarvex4 bench_bare_window window_start_probe
# The data folder is a copy of the delivered data, filled before the runs, so
# every run is an ordinary start, not a first one.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$top/build/release}" && pwd)"
runs="${RUNS:-11}"
exe="$build/bin/tarvex4"
# The window program that `tarvex4` starts: `tarvex4` links only the C library
# and execs it, about 2 ms more here.
window="$build/libexec/tarvex4/tarvex4-window"
bare="$build/bench/bench_bare_window"
probe="$build/bench/window_start_probe"
for f in "$exe" "$bare" "$probe"; do
  [ -x "$f" ] || { echo "window_start: $f is missing (build it, see the top of this script)" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "window_start: Xvfb is needed (apt install xvfb)" >&2; exit 1; }

work="$(mktemp -d)"
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export VANTELO_HOME="$work/vantelo" TARVEX4_NO_OPEN=1 XDG_RUNTIME_DIR="$work/run"
mkdir -p "$VANTELO_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
for delivered in "$build/share/tarvex4" "$top"/build/*/share/tarvex4; do
  if [ -f "$delivered/words6.db" ]; then cp -r "$delivered"/. "$VANTELO_HOME"/; break; fi
done
[ -f "$VANTELO_HOME/words6.db" ] || echo "window_start: no delivered data found; tarvex4 starts without it" >&2

# A display of our own.
display=""
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "window_start: no free display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

main_title="VANTELO  Version 1.2"
track_title="VANTELO TEXT INPUT TRACK 1"
# One start of each first: caches warm, data folder complete.
"$probe" "$main_title" -- "$exe" >/dev/null
"$probe" "bare window" -- "$bare" >/dev/null
"$probe" "bare window" -- "$bare" --text >/dev/null

: >"$work/main"; : >"$work/track"; : >"$work/bare"; : >"$work/text"; : >"$work/window"
for _ in $(seq "$runs"); do
  out="$("$probe" "$main_title" "$track_title" -- "$exe")"
  echo "$out" | awk -F'\t' -v m="$main_title" '$1 == m {print $2, $3}' >>"$work/main"
  echo "$out" | awk -F'\t' -v t="$track_title" '$1 == t {print $2, $3}' >>"$work/track"
  "$probe" "$main_title" -- "$window" | awk -F'\t' '{print $2, $3}' >>"$work/window"
  "$probe" "bare window" -- "$bare" | awk -F'\t' '{print $2, $3}' >>"$work/bare"
  "$probe" "bare window" -- "$bare" --text | awk -F'\t' '{print $2, $3}' >>"$work/text"
done

# median FILE COLUMN
median() { awk -v c="$2" '{print $c}' "$1" | sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
line() {
  local w p
  w=$(median "$2" 1); p=$(median "$2" 2)
  printf "%-22s %8.1f %6.2fx %10.1f %6.2fx\n" "$1" "$w" "$(awk -v a="$w" -v b="$bw" 'BEGIN { print a / b }')" \
    "$p" "$(awk -v a="$p" -v b="$bp" 'BEGIN { print a / b }')"
}
bw=$(median "$work/bare" 1); bp=$(median "$work/bare" 2)
echo "cores: $(nproc), load: $(cut -d' ' -f1 /proc/loadavg), runs: $runs (medians, ms from launch to mapped)"
printf "%-22s %8s %7s %10s %7s\n" "" "wall" "" "processor" ""
line "bare Qt main window" "$work/bare"
line "tarvex4 main window" "$work/main"
line "tarvex4 track 1" "$work/track"
line "tarvex4-window alone" "$work/window"
line "bare window with text" "$work/text"

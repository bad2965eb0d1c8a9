#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process comparison of `tarvex4 wordbook create` on a file of 200,000
# one-word lines with sqlite3's `.import` of the same lines into a one-column
# table of a copy of the same database. Prints the median of RUNS runs
# (default 5) of each and the ratio.
#
#   bench/peers_wordbook.sh [path/to/tarvex4]
#
# sqlite3 is installed here when missing (it is no build or test dependency).
# Use a release build, e.g.:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DTARVEX4_BUILD_DATA=OFF -DTARVEX4_BUILD_TESTS=OFF
#   cmake --build build/release --target tarvex4
#   bench/peers_wordbook.sh build/release/bin/tarvex4
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
. "$top/bench/timing.sh"
exe="${1:-$top/build/release/bin/tarvex4}"
runs="${RUNS:-5}"
lines="${LINES:-200000}"
[ -x "$exe" ] || { echo "peers_wordbook: no program at $exe (pass its path)" >&2; exit 1; }

need_tools sqlite3 sqlite3

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One word a line, none with a quote (so .import reads each line as one value).
seq 1 "$lines" | sed 's/^/word/' > "$work/words.txt"

# A small words database: the catalogue the create command needs.
sqlite3 "$work/base.db" "CREATE TABLE wordbooks (ID integer primary key,BOOKNAME text,TABLENAME text);"

# "wall cpu" seconds of one run (cpu: user + system), each on a fresh
# database, so one run at a time (/usr/bin/time's 10 ms steps were too coarse).
seconds() { local runs=1; median "$@"; }
middle() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

ours=()
theirs=()
for i in $(seq 1 "$runs"); do
  rm -rf "$work/data" && mkdir "$work/data" && cp "$work/base.db" "$work/data/words6.db"
  ours+=("$(seconds "$exe" wordbook create "$work/words.txt" --data "$work/data")")
  stored=$("$exe" wordbook list --data "$work/data" | cut -f3)
  [ "$stored" = "$lines" ] || { echo "peers_wordbook: tarvex4 stored $stored of $lines entries" >&2; exit 1; }

  cp "$work/base.db" "$work/peer.db"
  sqlite3 "$work/peer.db" "CREATE TABLE words1(WORD char(80));"
  theirs+=("$(seconds sqlite3 "$work/peer.db" ".import $work/words.txt words1")")
done

a=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | middle)
b=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f1 | middle)
ac=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | middle)
bc_=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f2 | middle)
printf 'tarvex4 wordbook create  %d lines: %.3f s wall, %.3f s CPU (medians of %d)\n' "$lines" "$a" "$ac" "$runs"
printf 'sqlite3 .import          %d lines: %.3f s wall, %.3f s CPU\n' "$lines" "$b" "$bc_"
printf 'ratio: %s wall, %s CPU (goal: at most 1.5)\n' "$(ratio "$a" "$b")" "$(ratio "$ac" "$bc_")"

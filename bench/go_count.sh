#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wall and CPU time of `tarvex4 go --count N` (default 1000 pages) with the
# usual settings (the delivered data, image volume 10, seed 1) into a fresh
# output folder, and the fdatasync calls per page. Several programs (say the
# main branch and a change) are run in turns, so that they meet the same load.
#
#   bench/go_count.sh [-n N] [path/to/tarvex4 ...]
#
# RUNS runs each (default 3), median. DATA: the data folder (default the one
# the first program's build lays out in share/tarvex4). Use release builds:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build/release
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
count=1000
if [ "${1:-}" = -n ]; then
  count="$2"
  shift 2
fi
[ $# -gt 0 ] || set -- "$top/build/release/bin/tarvex4"
runs="${RUNS:-3}"
data="${DATA:-$(dirname "$(dirname "$1")")/share/tarvex4}"
for exe in "$@"; do
  [ -x "$exe" ] || { echo "go_count: no program at $exe" >&2; exit 1; }
done
[ -f "$data/words6.db" ] || { echo "go_count: no words6.db in $data (set DATA)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Each program gets its own copy: a run may store settings in its data folder.
for i in $(seq $#); do cp -r "$data" "$work/data-$i"; done

go() {  # go INDEX PROGRAM OUTPUT [--count N]
  VANTELO_HOME="$work/home" TARVEX4_NO_OPEN=1 "$2" go --data "$work/data-$1" --out "$3" --seed 1 "${@:4}" > /dev/null
}

declare -A walls cpus
for run in $(seq "$runs"); do
  i=0
  for exe in "$@"; do
    i=$((i + 1))
    line=$( { TIMEFORMAT='%R %U %S'; time go "$i" "$exe" "$work/out" --count "$count"; } 2>&1 | tail -1)
    walls[$i]+="$(echo "$line" | awk '{ print $1 }') "
    cpus[$i]+="$(echo "$line" | awk '{ print $2 + $3 }') "
    rm -rf "$work/out"
  done
done

median() { printf '%s\n' $1 | sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }
syncs_per_page() {  # from 20 pages under strace, when strace is there
  command -v strace > /dev/null || { echo "-"; return; }
  strace -f -c -e trace=fdatasync,fsync -o "$work/strace" bash -c "$(declare -f go); work='$work'; go $1 '$2' '$work/traced' --count 20"
  rm -rf "$work/traced"
  awk '$NF == "fdatasync" || $NF == "fsync" { n += $4 } END { printf "%.1f", n / 20 }' "$work/strace"
}

printf 'go --count %s, %s runs each (median; seconds)\n' "$count" "$runs"
printf '%-44s %8s %8s %14s\n' program wall cpu syncs/page
i=0
for exe in "$@"; do
  i=$((i + 1))
  printf '%-44s %8s %8s %14s\n' "$exe" "$(median "${walls[$i]}")" "$(median "${cpus[$i]}")" "$(syncs_per_page "$i" "$exe")"
done

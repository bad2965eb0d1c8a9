#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A book of N collages (default 100) in one PDF: the pages are written by
# `tarvex4 go --count N` (image volume 10, seed 1), then drawn by
# `tarvex4 export PAGE... --pdf`. Prints the export's wall time and peak
# memory (GNU time), and the peak for a book of a tenth of the pages: with
# pages drawn one at a time the two peaks are close. Goal: 100 pages in at
# most 10 s on 2 cores.
#
#   bench/book_export.sh [-n N] [path/to/tarvex4]
#
# DATA: the data folder (default the one the program's build lays out in
# share/tarvex4). Use a release build:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build/release
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
count=100
if [ "${1:-}" = -n ]; then
  count="$2"
  shift 2
fi
exe="${1:-$top/build/release/bin/tarvex4}"
data="${DATA:-$(dirname "$(dirname "$exe")")/share/tarvex4}"
[ -x "$exe" ] || { echo "book_export: no program at $exe" >&2; exit 1; }
[ -f "$data/words6.db" ] || { echo "book_export: no words6.db in $data (set DATA)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$data" "$work/data"
printf 'the quick brown fox jumps over the lazy dog and the words fall where they will\n%.0s' $(seq 40) > "$work/main.txt"
VANTELO_HOME="$work/home" TARVEX4_NO_OPEN=1 "$exe" go --data "$work/data" --out "$work/out" --seed 1 \
  --main "$work/main.txt" --image-volume 10 --text-volume 30 --count "$count" > "$work/pages.txt"

book() {  # book PAGES OUTPUT: "seconds peak-KB"
  # shellcheck disable=SC2046
  /usr/bin/time -f '%e %M' -o "$work/time.txt" env TARVEX4_NO_OPEN=1 "$exe" export $(head -n "$1" "$work/pages.txt") \
    --pdf "$2" --title "A book of $1 collages" --page-numbers
  cat "$work/time.txt"
}
read -r small_time small_peak < <(book $((count / 10 > 0 ? count / 10 : 1)) "$work/small.pdf")
read -r time peak < <(book "$count" "$work/book.pdf")
echo "book of $count collages: ${time} s, peak ${peak} KB, $(du -k "$work/book.pdf" | cut -f1) KB of PDF"
echo "book of $((count / 10 > 0 ? count / 10 : 1)) collages: ${small_time} s, peak ${small_peak} KB"

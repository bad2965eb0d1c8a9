#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process comparison of `tarvex4 export PAGE --png` with Chromium's own
# headless screenshot of the same 60-item page (40 text snips, 20 pictures),
# and the time of `tarvex4 export PAGE --pdf`; peak memory of each export.
# Prints the median of RUNS runs (default 5).
#
#   bench/export_bench.sh [path/to/tarvex4] [data folder]
#
# Use a release build (see bench/peers_images.sh) and the delivered data the
# build lays out in build/release/share/tarvex4.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
. "$top/bench/timing.sh"
exe="${1:-$top/build/release/bin/tarvex4}"
data="${2:-$(dirname "$(dirname "$exe")")/share/tarvex4}"
runs="${RUNS:-5}"
[ -x "$exe" ] || { echo "export_bench: no program at $exe (pass its path)" >&2; exit 1; }
[ -f "$data/words6.db" ] || { echo "export_bench: no words6.db in $data (pass the data folder)" >&2; exit 1; }
need_tools chromium chromium

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for _ in $(seq 60); do echo "the quick brown fox jumps over the lazy dog and cuts up the words"; done > "$work/main.txt"
TARVEX4_NO_OPEN=1 "$exe" go --data "$data" --out "$work/page" --seed 60 --main "$work/main.txt" \
  --text-volume 40 --image-volume 20 --style 0 > /dev/null
page="$work/page/collage1.html"
items=$(grep -o "<div id='dpage" "$page" | wc -l)

png() { "$exe" export "$page" --png "$work/out.png"; }
pdf() { "$exe" export "$page" --pdf "$work/out.pdf"; }
browser() {
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1280,1200 \
    --screenshot="$work/chromium.png" "file://$page"
}
peak_mb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.1f", $1 / 1024 }'; }

read -r png_wall png_cpu <<< "$(median png)"
read -r pdf_wall pdf_cpu <<< "$(median pdf)"
read -r chr_wall chr_cpu <<< "$(median browser)"
printf 'page: %s items, %s runs each (median; wall and CPU seconds)\n' "$items" "$runs"
printf 'tarvex4 export --png    %s s  cpu %s s  peak %s MB\n' "$png_wall" "$png_cpu" \
  "$(peak_mb "$exe" export "$page" --png "$work/out.png")"
printf 'tarvex4 export --pdf    %s s  cpu %s s  peak %s MB\n' "$pdf_wall" "$pdf_cpu" \
  "$(peak_mb "$exe" export "$page" --pdf "$work/out.pdf")"
printf 'chromium --screenshot   %s s  cpu %s s\n' "$chr_wall" "$chr_cpu"
printf 'PNG export faster than Chromium: %sx wall, %sx CPU\n' "$(ratio "$chr_wall" "$png_wall" 1)" \
  "$(ratio "$chr_cpu" "$png_cpu" 1)"

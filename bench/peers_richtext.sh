#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process comparison of the rich text commands with common tools on the
# same ~5 MB inputs: `tarvex4 rtf2text` against `unrtf --text`, and
# `tarvex4 markup2rtf` against `pandoc -f html -t rtf`; then `tarvex4 shred`
# of ~5 MB of plain text and the start-up (`tarvex4 --version`). Prints the
# median of RUNS runs (default 5) of each, the ratios and the goals.
#
#   bench/peers_richtext.sh [path/to/tarvex4]
#
# unrtf and pandoc are installed here when missing (they are no build or test
# dependency). Use a release build, e.g.:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DTARVEX4_BUILD_DATA=OFF -DTARVEX4_BUILD_TESTS=OFF
#   cmake --build build/release --target tarvex4
#   bench/peers_richtext.sh build/release/bin/tarvex4
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
. "$top/bench/timing.sh"
exe="${1:-$top/build/release/bin/tarvex4}"
runs="${RUNS:-5}"
[ -x "$exe" ] || { echo "peers_richtext: no program at $exe (pass its path)" >&2; exit 1; }

need_tools unrtf unrtf pandoc pandoc

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# ~5 MB of markup: words, line feeds and the tags the program writes.
python3 - "$work/input.html" "$work/large.html" <<'EOF'
import sys
pieces = [
    "The quick brown fox jumps over the lazy dog. ",
    "<b>cut</b> <i>up</i> ",
    "<font face='Courier New' color='#336699' size=4>collage text</font>\n",
    "caf\u00e9 na\u00efve   spaced\twords\n",
    "<p>paragraph and more words ",
]
def write(path, limit):
    out, size, i = [], 0, 0
    while size < limit:
        p = pieces[i % len(pieces)]
        out.append(p)
        size += len(p.encode())
        i += 1
    open(path, "w", encoding="utf-8").write("<html><body>" + "".join(out) + "</body></html>")
write(sys.argv[1], 5 * 1024 * 1024)
write(sys.argv[2], 7 * 1024 * 1024)  # renders to more than 5 MB of RTF
EOF
# ~5 MB of plain text in lines, as a track holds it.
python3 - "$work/input.txt" <<'EOF'
import sys
line = "The quick brown fox jumps over the lazy dog, caf\u00e9 na\u00efve collage fragments\n"
count = 5 * 1024 * 1024 // len(line.encode()) + 1
open(sys.argv[1], "w", encoding="utf-8").write(line * count)
EOF
# ~5 MB of RTF as a rich edit streams it out (our writer's form).
"$exe" markup2rtf "$work/large.html" > "$work/rendered.rtf"
python3 - "$work/rendered.rtf" "$work/input.rtf" <<'EOF'
import sys
data = open(sys.argv[1], "rb").read()
# Trim the rendered document to about 5 MB at a paragraph and close it.
cut = data.rfind(b"\\par ", 0, 5 * 1024 * 1024)
body = data[:cut] + b"\\par }"
# Close groups the cut left open, so every reader accepts it.
depth, i = 0, 0
while i < len(body):
    c = body[i:i+1]
    if c == b"\\":
        i += 2
        continue
    if c == b"{": depth += 1
    elif c == b"}": depth -= 1
    i += 1
open(sys.argv[2], "wb").write(body + b"}" * max(depth, 0))
EOF

printf 'inputs: markup %s bytes, rtf %s bytes, %s runs each\n' \
  "$(stat -c %s "$work/input.html")" "$(stat -c %s "$work/input.rtf")" "$runs"
read -r ours_text_wall ours_text_cpu <<< "$(median "$exe" rtf2text "$work/input.rtf")"
read -r unrtf_wall unrtf_cpu <<< "$(median unrtf --text "$work/input.rtf")"
read -r ours_rtf_wall ours_rtf_cpu <<< "$(median "$exe" markup2rtf "$work/input.html")"
read -r pandoc_wall pandoc_cpu <<< "$(median pandoc -f html -t rtf -o "$work/pandoc.rtf" "$work/input.html")"
read -r shred_wall shred_cpu <<< "$(median "$exe" shred --suffix --size 4 "$work/input.txt")"
read -r version_wall version_cpu <<< "$(median "$exe" --version)"
printf '%-32s %9s %9s\n' "" "wall s" "cpu s"
printf '%-32s %9.3f %9.3f\n' "tarvex4 rtf2text" "$ours_text_wall" "$ours_text_cpu"
printf '%-32s %9.3f %9.3f\n' "unrtf --text" "$unrtf_wall" "$unrtf_cpu"
printf '%-32s %9.3f %9.3f\n' "tarvex4 markup2rtf" "$ours_rtf_wall" "$ours_rtf_cpu"
printf '%-32s %9.3f %9.3f\n' "pandoc -f html -t rtf" "$pandoc_wall" "$pandoc_cpu"
printf '%-32s %9.3f %9.3f\n' "tarvex4 shred (5 MB text)" "$shred_wall" "$shred_cpu"
printf '%-32s %9.3f %9.3f\n' "tarvex4 --version" "$version_wall" "$version_cpu"
printf 'rtf2text vs unrtf:    %sx faster (wall), %sx (cpu)\n' \
  "$(ratio "$unrtf_wall" "$ours_text_wall" 1)" "$(ratio "$unrtf_cpu" "$ours_text_cpu" 1)"
printf 'markup2rtf vs pandoc: %sx faster (wall), %sx (cpu)\n' \
  "$(ratio "$pandoc_wall" "$ours_rtf_wall" 1)" "$(ratio "$pandoc_cpu" "$ours_rtf_cpu" 1)"
printf 'goals: rtf2text >= 20x, markup2rtf >= 150x, shred < 0.050 s, --version < 0.005 s (%s cores)\n' "$(nproc)"

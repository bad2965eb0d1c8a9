#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Contact sheets of the built letter pictures and picture library:
#   scripts/contact_sheet.sh [build dir]   -> docs/contact-sheet-letters.png, docs/contact-sheet-library.png
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build/test}"
cmake --build "$build" --target tarvex4_data_pictures tarvex4_data_wordsdb
data="$build/share/tarvex4"
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$build/data/tarvex4_draw_pictures" sheet \
  "artfonts=$data/artfonts" "db=$data/words6.db" "out=$top/docs/contact-sheet"
echo "written: $top/docs/contact-sheet-letters.png $top/docs/contact-sheet-library.png"

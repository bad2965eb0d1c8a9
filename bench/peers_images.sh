#!/usr/bin/env bash
# Whole-process comparison of `tarvex4 images import` with the sqlite3 shell
# storing the same files: 1,000 GIF files of 5-60 KB go into the imagelibrary
# table of a fresh database, once by the program (which reads each file's
# size and keeps its bytes in the text encoding of the library) and once by
#   INSERT INTO imagelibrary ... SELECT ..., readfile(name) FROM fsdir(DIR)
# in the sqlite3 shell (raw bytes, no header reading). Prints the median of
# RUNS runs (default 5) of each and the ratio.
#
#   bench/peers_images.sh [path/to/tarvex4]
#
# The sqlite3 shell is installed here when missing (it is no build or test
# dependency). Use a release build, e.g.:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DTARVEX4_BUILD_DATA=OFF -DTARVEX4_BUILD_TESTS=OFF
#   cmake --build build/release --target tarvex4
#   bench/peers_images.sh build/release/bin/tarvex4
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
. "$top/bench/timing.sh"
exe="${1:-$top/build/release/bin/tarvex4}"
runs="${RUNS:-5}"
files="${FILES:-1000}"
[ -x "$exe" ] || { echo "peers_images: no program at $exe (pass its path)" >&2; exit 1; }

need_tools sqlite3 sqlite3

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/gifs" "$work/empty"

# The GIF files: a real header (logical screen size) and random bytes after
# it, as compressed picture data looks; sizes spread over 5-60 KB.
python3 - "$work/gifs" "$files" <<'PY'
import os, random, struct, sys
folder, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(11)
for i in range(count):
    size = rng.randint(5 * 1024, 60 * 1024)
    head = b"GIF89a" + struct.pack("<HH", rng.randint(16, 800), rng.randint(16, 600)) + b"\xf7\x00\x00"
    body = rng.randbytes(size - len(head))
    with open(os.path.join(folder, "pic%04d.gif" % i), "wb") as f:
        f.write(head + body)
PY

# An empty library with the program's tables.
sqlite3 "$work/empty/words6.db" <<'SQL'
CREATE TABLE imagecategory (ID integer primary key,CATEGORY text);
CREATE TABLE categoryselections (ID integer primary key,SELECTIONLIST text);
CREATE TABLE imagelibrary (ID integer primary key,CATEGORY text,FILENAME text,WIDTH text,HEIGHT text,FILESTORE text);
INSERT INTO imagecategory (CATEGORY) VALUES ('bench');
SQL

# A fresh copy of the empty library for every run.
fresh() { rm -rf "$work/data"; mkdir -p "$work/data"; cp "$work/empty/words6.db" "$work/data/"; }

ours() {
  fresh
  "$exe" images import "$work/gifs" --category bench --data "$work/data" > /dev/null
}

shell() {
  fresh
  sqlite3 "$work/data/words6.db" \
    "INSERT INTO imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE)
     SELECT '1', substr(name, length('$work/gifs/') + 1), '0', '0', readfile(name)
     FROM fsdir('$work/gifs') WHERE lower(substr(name, length('$work/gifs/') + 1)) LIKE '%.gif%';"
}

# Both must have stored every file.
ours
stored=$(sqlite3 "$work/data/words6.db" "SELECT COUNT(*) FROM imagelibrary")
shell
peer=$(sqlite3 "$work/data/words6.db" "SELECT COUNT(*) FROM imagelibrary")
[ "$stored" = "$files" ] && [ "$peer" = "$files" ] ||
  { echo "peers_images: stored $stored and $peer of $files files" >&2; exit 1; }

printf 'input: %s GIF files, %s bytes, %s runs each\n' "$files" \
  "$(du -sb "$work/gifs" | awk '{ print $1 }')" "$runs"
read -r start_wall start_cpu <<< "$(median "$exe" --version)"
read -r ours_wall ours_cpu <<< "$(median ours)"
read -r shell_wall shell_cpu <<< "$(median shell)"
printf '%-44s %9s %9s\n' "" "wall s" "cpu s"
printf '%-44s %9.3f %9.3f\n' "tarvex4 images import" "$ours_wall" "$ours_cpu"
printf '%-44s %9.3f %9.3f\n' "of which the program's start (--version)" "$start_wall" "$start_cpu"
printf '%-44s %9.3f %9.3f\n' "sqlite3 readfile() over fsdir()" "$shell_wall" "$shell_cpu"
printf 'tarvex4 / sqlite3: %sx (wall), %sx (cpu); goal: at most 1.5x\n' \
  "$(ratio "$ours_wall" "$shell_wall")" "$(ratio "$ours_cpu" "$shell_cpu")"

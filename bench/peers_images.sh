#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process comparisons of `tarvex4 images import`:
#  1. 1,000 GIF files of 5-60 KB, and
#  2. 1,000 JPEG and PNG files (real ones, made by libvips' `vips`), go into
#     the imagelibrary table of a fresh database, once by the program (which
#     reads each file's header and end and keeps its bytes in the text
#     encoding of the library) and once by
#       INSERT INTO imagelibrary ... SELECT ..., readfile(name) FROM fsdir(DIR)
#     in the sqlite3 shell (raw bytes, no checks);
#  3. 100 twelve-megapixel JPEGs over the size limit, imported with --reduce
#     (longest side 1600, JPEG), against `vipsthumbnail --size 1600x1600` of
#     the same files into a folder (quality 82 as the import's first try).
# Prints the median of RUNS runs (default 5; REDUCE_RUNS, default 3, for 3)
# of each, the ratios and the machine's load.
#
#   bench/peers_images.sh [path/to/tarvex4]
#
# The sqlite3 shell and vips tools are installed here when missing (they are
# no build dependency). Use a release build, e.g.:
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
photos="${PHOTOS:-100}"
reduce_runs="${REDUCE_RUNS:-3}"
[ -x "$exe" ] || { echo "peers_images: no program at $exe (pass its path)" >&2; exit 1; }

need_tools sqlite3 sqlite3 vips libvips-tools vipsthumbnail libvips-tools

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/gifs" "$work/empty" "$work/mixed" "$work/photos" "$work/thumbs"

# The GIF files: a real header (logical screen size) and random bytes after
# it, as compressed picture data looks; sizes spread over 5-60 KB.
python3 - "$work/gifs" "$files" <<'PY'
import os, random, struct, sys
folder, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(11)
for i in range(count):
    size = rng.randint(5 * 1024, 60 * 1024)
    head = b"GIF89a" + struct.pack("<HH", rng.randint(16, 800), rng.randint(16, 600)) + b"\xf7\x00\x00"
    body = rng.randbytes(size - len(head) - 1) + b";"  # the GIF trailer
    with open(os.path.join(folder, "pic%04d.gif" % i), "wb") as f:
        f.write(head + body)
PY

# The JPEG and PNG files: twenty real pictures of 5-60 KB (noise of
# several sizes), each copied under 50 names.
for i in $(seq 0 9); do
  w=$((120 + i * 18)); h=$((90 + i * 12))
  vips gaussnoise "$work/n.v" "$w" "$h" --sigma $((10 + i * 3))
  vips cast "$work/n.v" "$work/u.v" uchar
  vips bandjoin "$work/u.v $work/u.v $work/u.v" "$work/base$i.jpg"
  vips copy "$work/u.v" "$work/base$i.png"
done
for i in $(seq 0 $((files - 1))); do
  b=$((i % 10))
  if [ $((i % 2)) -eq 0 ]; then cp "$work/base$b.jpg" "$work/mixed/pic$i.jpg"; else cp "$work/base$b.png" "$work/mixed/pic$i.png"; fi
done

# The photos: 4000 x 3000 JPEGs of smooth shapes with fine grain (about
# 2.5 MB each, as camera photos are), ten different ones under ten names each.
for i in $(seq 0 9); do
  vips gaussnoise "$work/s.v" 400 300 --sigma 40
  vips cast "$work/s.v" "$work/su.v" uchar
  vips bandjoin "$work/su.v $work/su.v $work/su.v" "$work/s3.v"
  vips resize "$work/s3.v" "$work/big.v" 10 --kernel linear
  vips gaussnoise "$work/fine.v" 4000 3000 --sigma 6
  vips add "$work/big.v" "$work/fine.v" "$work/p.v"
  vips cast "$work/p.v" "$work/pu.v" uchar
  vips jpegsave "$work/pu.v" "$work/photo$i.jpg" --Q 90
done
for i in $(seq 0 $((photos - 1))); do cp "$work/photo$((i % 10)).jpg" "$work/photos/photo$i.jpg"; done
rm -f "$work"/*.v

# An empty library with the program's tables.
sqlite3 "$work/empty/words6.db" <<'SQL'
CREATE TABLE nouns (ID integer primary key,WORD text);
CREATE TABLE pluralnouns (ID integer primary key,WORD text);
CREATE TABLE verbspast (ID integer primary key,WORD text);
CREATE TABLE verbsing (ID integer primary key,WORD text);
CREATE TABLE verbspresent (ID integer primary key,WORD text);
CREATE TABLE verbs (ID integer primary key,WORD text);
CREATE TABLE adverbs (ID integer primary key,WORD text);
CREATE TABLE abstracts (ID integer primary key,WORD text);
CREATE TABLE adjectives (ID integer primary key,WORD text);
CREATE TABLE authornames (ID integer primary key,AUNAME text,STARTID integer,ENDID integer);
CREATE TABLE authortext (ID integer primary key,TEXTSAMPLE text);
CREATE TABLE wordbooks (ID integer primary key,BOOKNAME text,TABLENAME text);
CREATE TABLE imagecategory (ID integer primary key,CATEGORY text);
CREATE TABLE categoryselections (ID integer primary key,SELECTIONLIST text);
CREATE TABLE imagelibrary (ID integer primary key,CATEGORY text,FILENAME text,WIDTH text,HEIGHT text,FILESTORE text);
CREATE TABLE collagesettings (OUTPUTFOLDER text);
INSERT INTO imagecategory (CATEGORY) VALUES ('bench');
SQL

# A fresh copy of the empty library for every run.
fresh() { rm -rf "$work/data"; mkdir -p "$work/data"; cp "$work/empty/words6.db" "$work/data/"; }

ours() {
  fresh
  "$exe" images import "$work/$folder" --category bench --data "$work/data" > /dev/null
}

shell() {
  fresh
  sqlite3 "$work/data/words6.db" \
    "INSERT INTO imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE)
     SELECT '1', substr(name, length('$work/$folder/') + 1), '0', '0', readfile(name)
     FROM fsdir('$work/$folder') WHERE name <> '$work/$folder';"
}

reduce_ours() {
  fresh
  "$exe" images import "$work/photos" --category bench --data "$work/data" --reduce > /dev/null
}

thumbnails() {
  rm -rf "$work/thumbs" && mkdir "$work/thumbs"
  vipsthumbnail --size 1600x1600 -o "$work/thumbs/%s.jpg[Q=82,strip]" "$work"/photos/*.jpg
}

count() { sqlite3 "$work/data/words6.db" "SELECT COUNT(*) FROM imagelibrary"; }

printf 'load before: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
read -r start_wall start_cpu <<< "$(median "$exe" --version)"
printf '%-60s %9s %9s\n' "" "wall s" "cpu s"
printf '%-60s %9.3f %9.3f\n' "the program's start (--version)" "$start_wall" "$start_cpu"

for folder in gifs mixed; do
  # Both must have stored every file.
  ours; stored=$(count)
  shell; peer=$(count)
  [ "$stored" = "$files" ] && [ "$peer" = "$files" ] ||
    { echo "peers_images: $folder: stored $stored and $peer of $files files" >&2; exit 1; }
  read -r ours_wall ours_cpu <<< "$(median ours)"
  read -r shell_wall shell_cpu <<< "$(median shell)"
  label="$files $( [ $folder = gifs ] && echo GIF || echo JPEG/PNG ) files, $(du -sb "$work/$folder" | awk '{ print $1 }') bytes"
  printf '%-60s %9.3f %9.3f\n' "tarvex4 images import: $label" "$ours_wall" "$ours_cpu"
  printf '%-60s %9.3f %9.3f\n' "sqlite3 readfile() over fsdir()" "$shell_wall" "$shell_cpu"
  printf '  tarvex4 / sqlite3: %sx (wall), %sx (cpu); goal: at most 1.5x\n' \
    "$(ratio "$ours_wall" "$shell_wall")" "$(ratio "$ours_cpu" "$shell_cpu")"
done

reduce_ours; stored=$(count)
[ "$stored" = "$photos" ] || { echo "peers_images: reduced $stored of $photos photos" >&2; exit 1; }
runs="$reduce_runs"
read -r ours_wall ours_cpu <<< "$(median reduce_ours)"
read -r thumb_wall thumb_cpu <<< "$(median thumbnails)"
printf '%-60s %9.3f %9.3f\n' "tarvex4 images import --reduce: $photos 12 MP JPEGs" "$ours_wall" "$ours_cpu"
printf '%-60s %9.3f %9.3f\n' "vipsthumbnail --size 1600x1600" "$thumb_wall" "$thumb_cpu"
printf '  tarvex4 / vipsthumbnail: %sx (wall), %sx (cpu); goal: at most 1.5x\n' \
  "$(ratio "$ours_wall" "$thumb_wall")" "$(ratio "$ours_cpu" "$thumb_cpu")"
printf 'load after: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Dictionary data that Debian ships only together with a server daemon: fetch the
# package and unpack it into a cache instead of installing it.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
cache="$top/.cache/debs"
mkdir -p "$cache"

fetch_unpacked() {  # package, a file inside it that shows it is unpacked
  local pkg="$1" probe="$2"
  [ -e "$cache/$pkg/$probe" ] && return 0
  echo "setup: fetching $pkg"
  local tmp
  tmp="$(mktemp -d)"
  chown _apt "$tmp" 2>/dev/null || true  # apt fetches as its own user when run as root
  if ! (cd "$tmp" && apt-get download "$pkg" >/dev/null); then
    apt-get -o DPkg::Lock::Timeout=900 update -qq
    (cd "$tmp" && apt-get download "$pkg" >/dev/null)
  fi
  rm -rf "$cache/$pkg.partial"
  dpkg-deb -x "$tmp"/"$pkg"_*.deb "$cache/$pkg.partial"
  rm -rf "$tmp" "$cache/$pkg"
  mv "$cache/$pkg.partial" "$cache/$pkg"
}

fetch_unpacked dict-gcide usr/share/dictd/gcide.dict.dz
fetch_unpacked dict-devil usr/share/dictd/devil.dict.dz

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries README's two commands on a freshly made Debian 12 system, as a new user
# would meet them: a minimal bookworm (debootstrap --variant=minbase) plus git
# and ca-certificates, a clean clone of this repository, then
#   ./scripts/run.sh    (no display there: it builds and writes one collage)
#   ./scripts/test.sh   (installs, builds with ASan+UBSan, runs every test)
# and prints what failed and how long each took.
#
# Run it (as root) before changing scripts/setup.sh, scripts/packages/*.txt,
# package.json or the build's dependencies. It is not part of the test command:
# it downloads a whole system and takes half an hour or more on 2 cores.
#
#   sudo scripts/fresh_debian_check.sh [--keep] [--ref REF] [FOLDER]
#
# FOLDER (default /var/tmp/tarvex4-fresh) is emptied first; --keep leaves it in
# place afterwards for a look inside (chroot FOLDER). --ref picks the commit to
# clone (default HEAD). Where the host trusts extra certificate authorities
# (/usr/local/share/ca-certificates, e.g. a company proxy), they are trusted in
# the fresh system too, for apt and for npm.
set -euo pipefail

keep=0
ref=HEAD
root=/var/tmp/tarvex4-fresh
while [ $# -gt 0 ]; do
  case "$1" in
    --keep) keep=1 ;;
    --ref) ref="$2"; shift ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "unknown option: $1" >&2; exit 2 ;;
    *) root="$1" ;;
  esac
  shift
done

[ "$(id -u)" -eq 0 ] || { echo "needs root (debootstrap and chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "needs debootstrap: apt-get install debootstrap" >&2; exit 2; }
repo="$(cd "$(dirname "$0")/.." && pwd)"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
  if [ "$keep" -eq 0 ]; then rm -rf "$root"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM   # so an interrupted run still unmounts
bind() { mkdir -p "$root$2"; mount "${@:3}" "$1" "$root$2"; mounted+=("$root$2"); }

step() { printf '\n=== %s\n' "$*"; }
seconds() { date +%s; }

step "fresh Debian 12 in $root"
rm -rf "$root"
t0=$(seconds)
debootstrap --variant=minbase --include=git,ca-certificates bookworm "$root" "$mirror" >/dev/null
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"   # no daemons start inside
chmod +x "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"

extra_env=()
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
  step "passing the host's extra certificate authorities in"
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >/dev/null
  extra_env+=(NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt)
fi
for v in http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY; do
  [ -n "${!v:-}" ] && extra_env+=("$v=${!v}")
done
echo "system made in $(( $(seconds) - t0 )) s"

bind proc /proc -t proc
bind sysfs /sys -t sysfs
bind /dev /dev --bind
bind devpts /dev/pts -t devpts
bind tmpfs /dev/shm -t tmpfs

step "clean clone of $ref"
git clone -q --no-local "$repo" "$root/root/tarvex4"
git -C "$root/root/tarvex4" checkout -q "$(git -C "$repo" rev-parse "$ref")"

inside() {  # command line run in the clone inside the fresh system, as root
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${extra_env[@]}" \
    /bin/bash -c "cd /root/tarvex4 && $1"
}

failed=()
run_timed() {  # name, command
  step "$1: $2"
  local t=$(seconds) rc=0
  inside "$2" || rc=$?
  local took=$(( $(seconds) - t ))
  echo "--- $1 ended with status $rc after $took s"
  results+=("$1: status $rc, $took s")
  [ "$rc" -eq 0 ] || failed+=("$1")
}

results=()
run_timed "run command" "./scripts/run.sh"
run_timed "test command" "./scripts/test.sh"

step "summary"
printf '%s\n' "${results[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "both README commands passed on a fresh Debian 12"

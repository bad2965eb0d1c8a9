#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs whatever the build, the tests and the data need and is not there yet.
# Idempotent: apt-get runs only when a package is missing, npm ci only when
# package-lock.json changed since the last install.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

mapfile -t wanted < <(cat scripts/packages/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
# Debian's nodejs comes without npm (its own package); a Node.js from elsewhere
# usually brings one. Install Debian's only when there is no npm at all.
if ! command -v npm >/dev/null 2>&1; then
  status=$(dpkg-query -W -f='${Status}' npm 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=(npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_if_needed apt-get -o DPkg::Lock::Timeout=900 update -qq
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
fi

# Extra steps of the data builders (packages fetched without installing, etc.).
for hook in scripts/setup.d/*.sh; do
  [ -e "$hook" ] && bash "$hook"
done

if [ -f package-lock.json ]; then
  stamp=node_modules/.package-lock.sha
  sum=$(sha256sum package-lock.json | cut -d' ' -f1)
  if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$sum" ]; then
    echo "setup: npm ci"
    npm ci --no-audit --no-fund
    echo "$sum" > "$stamp"
  fi
fi

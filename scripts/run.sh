#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts tarvex4.
#   ./scripts/run.sh          open the window (needs a display)
#   ./scripts/run.sh --xvfb   open it on a virtual display (xvfb-run)
# Without a display it makes one collage headless and says where it is.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/setup.sh
build="${TARVEX4_BUILD_DIR:-build/release}"
cmake -S . -B "$build" -G Ninja -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=Release -DTARVEX4_BUILD_TESTS=OFF -DTARVEX4_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
exe="$build/bin/tarvex4"
"$exe" --version

if [ "${1:-}" = "--xvfb" ]; then
  exec xvfb-run -a "$exe"
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$exe"
fi
echo "No display here: the window needs one (or run ./scripts/run.sh --xvfb)."
echo "Making one collage headless instead:  $exe go --main README.md --seed 1"
"$exe" go --main README.md --seed 1

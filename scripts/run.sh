#!/usr/bin/env bash
# Installs what is missing, builds and starts tarvex4.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/setup.sh
build="${TARVEX4_BUILD_DIR:-build/release}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEX4_BUILD_TESTS=OFF -DTARVEX4_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
exe="$build/bin/tarvex4"
"$exe" --version
"$exe" --help

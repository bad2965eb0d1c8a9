#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything with ASan+UBSan and runs the whole test suite.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/setup.sh
build="${TARVEX4_TEST_BUILD_DIR:-build/test}"
cmake -S . -B "$build" -G Ninja -DCMAKE_UNITY_BUILD=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX4_SANITIZE=ON -DTARVEX4_WERROR=ON
export QT_QPA_PLATFORM=offscreen TARVEX4_NO_OPEN=1
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600

#!/usr/bin/env bash
# Installs the packages, builds everything and runs every test with CTest, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DVIALDESK_WERROR="${VIALDESK_WERROR:-OFF}"
cmake --build build -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"

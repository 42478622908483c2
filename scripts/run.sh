#!/usr/bin/env bash
# Installs the packages, builds the program folder build/bin and starts Vialdesk from it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
cd build/bin
exec ./vialdesk

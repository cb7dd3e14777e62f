#!/usr/bin/env bash
# Builds and starts a program: scripts/run.sh [Mersol|Dunstrow2]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target "${1:-Mersol}"
cd build/src && exec "./${1:-Mersol}"

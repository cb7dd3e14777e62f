#!/usr/bin/env bash
# Builds everything and runs every test, then runs the whole suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer (a build folder
# of its own, so the normal build is untouched). Any sanitizer finding fails
# the test it happens in (tests/sanitizer_defaults.cpp sets the sanitizers' options).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERSOL_FUZZ=ON
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERSOL_SANITIZE=ON \
      -DMERSOL_FUZZ=OFF -DMERSOL_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j"$(nproc)"
(cd build-asan && ctest --output-on-failure -j"$(nproc)" --timeout 600)

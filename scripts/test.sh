#!/usr/bin/env bash
# Builds everything and runs every test, then runs the whole suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer (a build folder
# of its own, so the normal build is untouched). Any sanitizer finding fails
# the test it happens in.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERSOL_FUZZ=ON
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300)

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERSOL_SANITIZE=ON \
      -DMERSOL_FUZZ=OFF -DMERSOL_BUILD_BENCHMARKS=OFF
cmake --build build-asan -j"$(nproc)"
(cd build-asan && QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j"$(nproc)" --timeout 600)

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libsqlite3-dev
      libgtest-dev libgmock-dev googletest libbenchmark-dev fonts-liberation xvfb poppler-utils
      libgl1-mesa-dev python3
      clang libclang-rt-14-dev)  # clang with libFuzzer: the tests include a short fuzz run
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

#!/usr/bin/env bash
# Builds everything: the Windows program (Vellumway.scr), the fuzz targets (clang), and the
# native tools, unit tests and kjv.dat. Everything runnable ends up in build/dist; the release
# zip and installer (they need kjv.dat, so they come last) in build/windows/package.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
cmake --preset native -DVELLUMWAY_WINDOWS_BUILD_DIR="$PWD/build/windows" \
  -DVELLUMWAY_FUZZ_BUILD_DIR="$PWD/build/fuzz" >/dev/null
cmake --build --preset native -j "$jobs"
if command -v makensis >/dev/null; then cmake --build --preset windows --target package; else echo "No makensis: zip and installer skipped"; fi

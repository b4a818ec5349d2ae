#!/usr/bin/env bash
# Builds both halves: the Windows program (Vellumway.scr) and the native tools, unit tests and
# kjv.dat. Everything runnable ends up in build/dist.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset native -DVELLUMWAY_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
cmake --build --preset native -j "$jobs"

#!/usr/bin/env bash
# Builds the release: Vellumway.scr (windows preset), kjv.dat (native preset), then the zip and
# the Windows installer (the windows preset's package target, which needs that kjv.dat).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test  # the list that has nsis
cmake --preset windows >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target kjv_dat
cmake --build --preset windows -j "$(nproc)" --target package
version=$(sed -n 's/^project(Vellumway VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
echo "Zip:       $PWD/build/windows/package/Vellumway-$version-win64.zip"
echo "Installer: $PWD/build/windows/package/Vellumway-$version-win64-setup.exe"

#!/usr/bin/env bash
# Builds everything and runs every test: unit tests, fuzz smoke runs and the end-to-end tests
# of the real Vellumway.scr under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
bash scripts/build.sh
cd build/native
# Every end-to-end test has its own display and Wine prefix, and spends most of its time
# waiting on Wine and on the program's timers: four at a time keep two cores busy.
ctest --output-on-failure --timeout 900 -j4

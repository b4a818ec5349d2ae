#!/usr/bin/env bash
# Builds everything and runs every test: unit tests, fuzz smoke runs and the end-to-end tests
# of the real Vellumway.scr under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
bash scripts/build.sh
cd build/native
ctest --output-on-failure --timeout 900

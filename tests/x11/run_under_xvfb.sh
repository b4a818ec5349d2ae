#!/usr/bin/env bash
# Runs a program on a fresh Xvfb of its own: run_under_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail
. "$(dirname "$0")/../../scripts/shared.sh"
start_x Xvfb -screen 0 1024x768x24 -noreset
trap 'kill $X_PID 2>/dev/null' EXIT
"$@"

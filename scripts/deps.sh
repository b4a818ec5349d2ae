#!/usr/bin/env bash
# Installs the Debian packages a command needs, only when some are missing.
# Usage: deps.sh run|test|linux
set -euo pipefail

common=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool x11-utils
        imagemagick bible-kjv bible-kjv-text
        libx11-dev libxft-dev libxinerama-dev xscreensaver xscreensaver-data xscreensaver-data-extra x11-xserver-utils
        fonts-dejavu-core fonts-liberation bc procps)
case "${1:-test}" in
  run) wanted=("${common[@]}") ;;
  test) wanted=("${common[@]}" googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
                 nsis zip unzip xserver-xephyr lintian man-db osslsigncode openssl fontconfig) ;;
  # The Linux hack alone: its native build (which configures the unit tests) and the daemon.
  linux) wanted=(cmake ninja-build g++ xvfb xdotool x11-utils imagemagick bible-kjv bible-kjv-text
                 libx11-dev libxft-dev libxinerama-dev xscreensaver xscreensaver-data
                 x11-xserver-utils fonts-dejavu-core fonts-liberation bc procps
                 googletest libgtest-dev libbenchmark-dev) ;;
  *) echo "usage: deps.sh run|test|linux" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

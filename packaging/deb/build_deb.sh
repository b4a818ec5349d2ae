#!/usr/bin/env bash
# Builds vellumway_<version>_<arch>.deb from the native build: the hack, its settings pane,
# kjv.dat, the man page and the copyright file, then runs lintian on it.
#   build_deb.sh [OUT_DIR]   (default build/deb)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-$PWD/build/deb}
version=$(sed -n 's/^project(Vellumway VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
dist=build/dist
[ -x "$dist/vellumway" ] && [ -f "$dist/kjv.dat" ] || { echo "build the native preset first" >&2; exit 1; }

root=$(mktemp -d); chmod 755 "$root"; trap 'rm -rf "$root"' EXIT
install -D -m 755 "$dist/vellumway" "$root/usr/libexec/xscreensaver/vellumway"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root/usr/libexec/xscreensaver/vellumway"
install -D -m 644 x11/vellumway.xml "$root/usr/share/xscreensaver/config/vellumway.xml"
install -D -m 644 "$dist/kjv.dat" "$root/usr/share/vellumway/kjv.dat"
install -D -m 644 packaging/deb/copyright "$root/usr/share/doc/vellumway/copyright"
install -d "$root/usr/share/man/man6"
gzip -9n <packaging/deb/vellumway.6 >"$root/usr/share/man/man6/vellumway.6.gz"
{ printf 'vellumway (%s-1) unstable; urgency=low\n\n  * Release %s.\n\n' "$version" "$version"
  printf ' -- Vellumway developers <vellumway@example.org>  %s\n' "$(date -R -d @"${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}")"
} | gzip -9n >"$root/usr/share/doc/vellumway/changelog.Debian.gz"
chmod 644 "$root/usr/share/man/man6/vellumway.6.gz" "$root/usr/share/doc/vellumway/changelog.Debian.gz"

# The shared libraries the hack links, as Debian dependencies.
mkdir -p "$root/debian"; printf 'Source: vellumway\n\nPackage: vellumway\nArchitecture: any\n' >"$root/debian/control"
depends=$(cd "$root" && dpkg-shlibdeps -O usr/libexec/xscreensaver/vellumway 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
rm -rf "$root/debian"
size=$(du -sk "$root/usr" | cut -f1)
mkdir -p "$root/DEBIAN"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
cat >"$root/DEBIAN/control" <<CONTROL
Package: vellumway
Version: $version-1
Architecture: $arch
Maintainer: Vellumway developers <vellumway@example.org>
Installed-Size: $size
Depends: $depends
Recommends: xscreensaver, fonts-liberation
Section: x11
Priority: optional
Homepage: https://vellumway.example.org/
Description: King James Bible verses as an XScreenSaver hack
 Shows the King James Bible one verse at a time: each verse grows from tiny to
 full size in the middle of the primary monitor, with its reference below it.
 It runs through the whole text or through five topics, and remembers where it
 stopped. Add it to XScreenSaver's list with its settings program.
CONTROL
mkdir -p "$out"
deb="$out/vellumway_${version}-1_${arch}.deb"
dpkg-deb --root-owner-group --build "$root" "$deb" >/dev/null
echo "$deb"

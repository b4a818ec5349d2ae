#!/usr/bin/env bash
# make_icon.sh DRAWING ICO [SIZE...]: draws DRAWING (ImageMagick drawing commands on a
# 256-pixel square) at each size Windows shows an icon at, from 16 pixels in lists to 256 in
# Explorer, each drawn at its own size rather than shrunk from another, and writes them into
# one .ico. ImageMagick keeps the 256-pixel image PNG-compressed, as Windows expects.
# SIZE...: only those sizes (the tests draw the image they expect to see).
set -euo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
images=()
sizes=("${@:3}")
[ "${#sizes[@]}" -gt 0 ] || sizes=(16 20 24 32 40 48 64 256)
for size in "${sizes[@]}"; do
  convert -size "${size}x${size}" xc:none \
    -draw "scale $(awk "BEGIN { print $size / 256 }"),$(awk "BEGIN { print $size / 256 }")
$(grep -v '^#' "$1")" "png32:$tmp/$size.png"
  images+=("$tmp/$size.png")
done
mkdir -p "$(dirname "$2")"
convert "${images[@]}" "ico:$2.part"
mv "$2.part" "$2"

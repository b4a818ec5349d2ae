#!/usr/bin/env bash
# The release as a maintainer signs it: packaged with a throwaway self-signed RSA certificate
# named, the zip's Vellumway.scr and the installer carry Authenticode signatures that
# osslsigncode reads back intact (the chain untrusted until the certificate itself is), and
# under Wine the signed installer installs the signed saver, which runs. The shipped .scr is
# stripped; its symbols lie beside it, named by its debug link.
. "$(dirname "$0")/lib.sh"
e2e_setup
T=$E2E_TMP
version=$(sed -n 's/^project(Vellumway VERSION \([0-9.]*\).*/\1/p' "$VW_SRC/CMakeLists.txt")
# sections FILE PATTERN: the names of FILE's sections (in build/dist) that match PATTERN.
sections() {
  x86_64-w64-mingw32-objdump -h "$VW_DIST/$1" | awk '$2 ~ /^\./ { print $2 }' | grep -E "$2" | xargs
}
expect_eq "the shipped .scr has a debug link and no debug sections" .gnu_debuglink \
  "$(sections Vellumway.scr debug)"
expect_eq "the symbols lie beside it" .debug_info "$(sections Vellumway.scr.debug debug_info)"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vellumway test signer" \
  -keyout "$T/key.pem" -out "$T/cert.pem" 2>/dev/null
VELLUMWAY_SIGN_CERT=$T/cert.pem VELLUMWAY_SIGN_KEY=$T/key.pem cmake -DVERSION="$version" \
  -DSCR="$VW_DIST/Vellumway.scr" -DKJV_DAT="$VW_DIST/kjv.dat" \
  -DICON="$VW_WINBUILD/icon/Vellumway.ico" \
  -DREADME="$VW_SRC/packaging/README-user.txt" -DNSI="$VW_SRC/packaging/installer.nsi" \
  -DOUT_DIR="$T/package" -DMAKENSIS="$(command -v makensis)" -P "$VW_SRC/packaging/Package.cmake" \
  >"$T/package.out" 2>&1
grep Signed "$T/package.out"
expect_eq "the packaging says it signed both, without a timestamp" 2 \
  "$(grep -c "Signed: .* with $T/cert.pem, no timestamp" "$T/package.out")"
setup=$T/package/Vellumway-$version-win64-setup.exe
unzip -q "$T/package/Vellumway-$version-win64.zip" Vellumway.scr -d "$T/zip"
for f in "$T/zip/Vellumway.scr" "$setup"; do
  verified=$(osslsigncode verify -in "$f" 2>&1) && trusted=yes || trusted=no
  grep -q 'Subject: .*Vellumway test signer' <<<"$verified" && ours=yes || ours=no
  expect_eq "${f##*/}: signed by the test certificate, a chain Windows would not trust" \
    "ours yes, trusted no" "ours $ours, trusted $trusted"
  expect_true "${f##*/}: the signature holds once the certificate is trusted" \
    osslsigncode verify -CAfile "$T/cert.pem" -in "$f"
done

expect_true "the signed installer installs" wine "$setup" /S
SYS="$WINEPREFIX/drive_c/windows/system32"
expect_true "it installs the signed saver" cmp -s "$SYS/Vellumway.scr" "$T/zip/Vellumway.scr"
(cd "$T" && exec wine 'C:\windows\System32\Vellumway.scr' /s) >/dev/null 2>&1 &
expect_eq "the signed saver shows its window" 1 "$(info_value "$(display_info)" found)"
e2e_finish

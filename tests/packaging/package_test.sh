#!/bin/sh
# Builds the Debian package and checks its name, fields and file list, then lintian.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack failed"
}
deb=$(ls "$work"/kelvaro_*.deb)
[ "$(basename "$deb")" = "kelvaro_3.7.37.1249_amd64.deb" ] || fail "package named $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libqt6multimedia6 libqt6svg6 libqt6network6 \
  libjpeg62-turbo liblnk1 libemf2svg1 libwmf-0.2-7 libc6 xdg-utils; do
  echo "$depends" | grep -qE "(^|, )$lib( |,|$)" || fail "Depends lacks $lib"
done
description=$(dpkg-deb -f "$deb" Description)
case "$description" in
  "settings of a Windows environment: a sandbox or a Wine prefix
 Kelvaro gathers"*) ;;
  *) fail "the description reads: $description" ;;
esac
case "$description" in *";"*) fail "the description holds list separators: $description" ;; esac
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "$recommends" | grep -qE '(^|, )wine( |,|$)' || fail "Recommends lacks wine: $recommends"

dpkg-deb -c "$deb" | awk '{print $1, $2, $6}' >"$work/files"
for f in ./usr/bin/kelvaro ./usr/share/kelvaro/sandbox/system.reg ./usr/share/kelvaro/Logo/ \
  ./usr/share/applications/kelvaro.desktop ./usr/share/icons/hicolor/256x256/apps/kelvaro.png \
  ./usr/share/metainfo/pl.morvane.kelvaro.metainfo.xml ./usr/share/man/man1/kelvaro.1.gz \
  ./usr/share/doc/kelvaro/copyright ./usr/share/doc/kelvaro/changelog.gz; do
  grep -qF " $f" "$work/files" || fail "the package lacks $f"
done
# Nothing of the build's tests, tools or headers, everything owned by root.
if grep -E ' \./usr/(include|lib)/| \./usr/bin/[^k]' "$work/files"; then fail "the package holds files it should not"; fi
if grep -v '^[^ ]* root/root ' "$work/files"; then fail "files not owned by root"; fi
grep -q '^-rwxr-xr-x root/root ./usr/bin/kelvaro$' "$work/files" || fail "the program is not executable"

if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
  fail "lintian is not installed"
fi
echo "$(basename "$deb") checked"

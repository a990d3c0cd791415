#!/bin/sh
# Installs the build into a temporary prefix, moves that prefix elsewhere and
# starts the installed program there on a new sandbox, as a user would.
set -eu
build=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/stage/usr" --strip >/dev/null
for f in bin/kelvaro share/kelvaro/sandbox share/kelvaro/Logo share/applications/kelvaro.desktop \
  share/icons/hicolor/48x48/apps/kelvaro.png share/icons/hicolor/scalable/apps/kelvaro.svg \
  share/metainfo/pl.morvane.kelvaro.metainfo.xml share/man/man1/kelvaro.1.gz share/doc/kelvaro/copyright; do
  [ -e "$work/stage/usr/$f" ] || fail "the installation lacks $f"
done
# No path of the build tree is kept in the program.
if grep -qF "$build" "$work/stage/usr/bin/kelvaro"; then fail "the program names the build tree $build"; fi

mv "$work/stage" "$work/moved"
program=$work/moved/usr/bin/kelvaro
home=$work/home
mkdir -p "$home"
export XDG_DATA_HOME="$home" XDG_STATE_HOME="$home/state" TMPDIR="$home" QT_QPA_PLATFORM=offscreen
unset WINEPREFIX

out=$("$program" --version) || fail "--version ended with $?"
[ "$out" = "Kelvaro 3.7.37.1249" ] || fail "--version printed '$out'"
help=$("$program" --help) || fail "--help ended with $?"
for word in "--prefix DIR" WINEPREFIX "kelvaro/sandbox" "Użycie:"; do
  case "$help" in *"$word"*) ;; *) fail "--help does not name $word" ;; esac
done
status=0
"$program" --frobnicate 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "a wrong argument ended with $status, not 2"

"$program" >"$work/out.log" 2>&1 &
pid=$!
# The started program makes the sandbox from the installed template and registers itself in it.
i=0
until grep -qF 'Software\\Morvane\\Kelvaro' "$home/kelvaro/sandbox/user.reg" 2>/dev/null; do
  kill -0 "$pid" 2>/dev/null || { cat "$work/out.log" >&2; fail "the installed program ended at start"; }
  i=$((i + 1))
  [ "$i" -lt 600 ] || fail "the installed program made no sandbox in 60 s"
  sleep 0.1
done
[ -d "$home/kelvaro/sandbox/drive_c/WINDOWS" ] || fail "the sandbox has no C:\\WINDOWS"
kill -0 "$pid" 2>/dev/null || fail "the installed program did not stay up"
echo "installed program started on $home/kelvaro/sandbox"

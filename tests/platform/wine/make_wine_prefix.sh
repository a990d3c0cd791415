#!/bin/sh
# Makes the Wine prefix the Wine tests share, fresh for every test run.
set -eu
prefix=$1
# No menu entries in the user's desktop, no Mono or Gecko installer dialogs.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
if [ -e "$prefix" ]; then
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
fi
xvfb-run -a wineboot -i
# The registry files are complete once the server has gone.
wineserver -w
test -f "$prefix/system.reg" && test -f "$prefix/user.reg"

#!/bin/sh
# Makes the Wine prefix the Wine tests share, fresh for every test run.
set -eu
prefix=$1
# No menu entries in the user's desktop, no Mono or Gecko installer dialogs.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
for attempt in 1 2 3; do
  if [ -e "$prefix" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
  fi
  # Other test runs start X servers too: begin the search for a free display
  # at a number of our own so that two searches do not race for one.
  if xvfb-run -a -n $(( ($$ * 7 + attempt * 131) % 900 + 100 )) wineboot -i; then
    # The registry files are complete once the server has gone.
    wineserver -w
    if [ -f "$prefix/system.reg" ] && [ -f "$prefix/user.reg" ]; then exit 0; fi
  fi
  echo "wineboot failed (attempt $attempt)" >&2
done
exit 1

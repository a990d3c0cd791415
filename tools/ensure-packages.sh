#!/bin/sh
# Installs the Debian packages listed in tools/packages.txt that are missing.
# As root it runs apt-get itself; otherwise it prints the one command to run and fails.
set -eu
here=$(dirname "$0")
list=$(grep -v '^[[:space:]]*#' "$here/packages.txt" | tr -s ' \n' ' ')
missing=""
for p in $list; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y --no-install-recommends $missing
else
  echo "Missing Debian packages. Run this, then try again:" >&2
  echo "  sudo apt-get install -y --no-install-recommends$missing" >&2
  exit 1
fi

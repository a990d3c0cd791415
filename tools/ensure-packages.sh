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
  # A minimal system may have no sudo: then su is the way to root.
  install="apt-get install -y --no-install-recommends$missing"
  echo "Missing Debian packages. Run this, then try again:" >&2
  if command -v sudo >/dev/null 2>&1; then
    echo "  sudo $install" >&2
  else
    echo "  su -c '$install'" >&2
  fi
  exit 1
fi

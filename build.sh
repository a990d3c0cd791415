#!/bin/sh
# The README's two commands without make: `sh build.sh run` and `sh build.sh test`.
# A fresh Debian has no make, so the package list (make among it) is installed
# first; then the same-named make target runs. Later arguments go to make,
# for example `sh build.sh test FUZZ_SECONDS=60` or `sh build.sh run ARGS="--prefix DIR"`.
set -eu
cd "$(dirname "$0")"
case "${1:-}" in
  run | test | build | asan | fuzz | format | package) ;;
  *)
    echo "usage: sh build.sh run|test|build|asan|fuzz|format|package [VARIABLE=value ...]" >&2
    exit 2
    ;;
esac
sh tools/ensure-packages.sh
exec make "$@"

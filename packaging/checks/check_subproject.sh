#!/usr/bin/env bash
# Configures a project that adds Tolvik with add_subdirectory and checks that Tolvik's
# program folder lands inside that project's build tree.
# Usage: check_subproject.sh <Tolvik source dir> [--build]
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake -S "$source/packaging/checks/outer" -B "$work/build" -G Ninja -DTOLVIK_SOURCE="$source" \
  -DTOLVIK_BUILD_TESTS=OFF >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configure"; }
grep -q "^build tolvik/bin/tolvik:" "$work/build/build.ninja" ||
  fail "the program folder is not inside the outer build tree"
if [ "${2:-}" = --build ]; then
  cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; fail "build"; }
  [ -x "$work/build/tolvik/bin/tolvik" ] && [ -f "$work/build/tolvik/bin/db1.mdb" ] || fail "program folder incomplete"
fi
echo "subproject: ok"

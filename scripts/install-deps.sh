#!/usr/bin/env bash
# Installs the Debian 12 packages that Tolvik needs to build, run and test.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev libgl1-mesa-dev
  qt6-tools-dev qt6-tools-dev-tools libqt6sql6-sqlite poppler-utils
  libsqlite3-dev libmimalloc-dev
  googletest libgtest-dev libbenchmark-dev
  clang-format clang libclang-rt-14-dev ccache lld
  xvfb xauth fonts-dejavu-core
  locales
  desktop-file-utils appstream dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
# The tests read and write numbers under a decimal-comma locale: make de_DE.UTF-8 available.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

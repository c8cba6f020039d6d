#!/usr/bin/env bash
# Configures and builds Tolvik into build/ (program folder: build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVIK_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$(nproc)"

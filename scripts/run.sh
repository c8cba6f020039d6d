#!/usr/bin/env bash
# Installs what is needed, builds, and starts Tolvik on the bundled sample database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/tolvik
else
  echo "No display found: starting Tolvik on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/bin/tolvik
fi

#!/usr/bin/env bash
# Builds Kelvo 16s and launches it. Installs missing Debian packages first,
# with Xvfb and xauth for xvfb-run on a machine without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb xauth
cmake --preset default
cmake --build --preset default -j2 --target kelvo16s kelvo16s-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kelvo 16s is a desktop program and needs a display (DISPLAY is not set)." >&2
  echo "On a machine without one, run it under Xvfb: xvfb-run -a build/kelvo16s" >&2
  exit 1
fi
exec build/kelvo16s "$@"

#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cmake --preset default
cmake --build --preset default -j2
ctest --preset default

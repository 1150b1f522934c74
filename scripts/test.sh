#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
# Xvfb, a small window manager and the X tools: the window test runs under
# them; poppler-utils reads the PDFs the tests write; libxml2-utils (xmllint)
# checks the PLC exports against their schema; chromium shows the class report
# as a browser does.
scripts/deps.sh xvfb xauth openbox xdotool x11-utils poppler-utils libxml2-utils chromium
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cmake --preset default
cmake --build --preset default -j2
ctest --preset default

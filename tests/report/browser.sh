#!/usr/bin/env bash
# The class report as a browser shows it: chromium's headless screenshot of
# the report of the examples must show the page, with the summary's rows
# above the first section and the sections' pictures below it.
# Usage: browser.sh KELVO16S-CLI PAGE-INK EXAMPLES-FOLDER
set -euo pipefail
cli=$1 ink=$2 examples=$3
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "SKIP: chromium is not installed (scripts/test.sh installs Debian's chromium)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" report "$examples" -o "$work/report.html" >/dev/null
if ! HOME="$work" timeout 120 "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
  --user-data-dir="$work/profile" --screenshot="$work/shot.png" --window-size=1200,3000 \
  "file://$work/report.html" >"$work/chromium.log" 2>&1; then
  cat "$work/chromium.log"
  exit 1
fi
"$ink" "$work/shot.png"

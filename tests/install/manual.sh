#!/usr/bin/env bash
# After "cmake --install" into a fresh prefix, the installed program finds its
# manual and every picture the manual shows.
# Usage: manual.sh BUILD_DIR CHECKER (kelvo16s_installed_manual).
set -euo pipefail
build=$1
checker=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >"$prefix/install.log" || {
  cat "$prefix/install.log"
  exit 1
}
QT_QPA_PLATFORM=offscreen "$checker" "$prefix"

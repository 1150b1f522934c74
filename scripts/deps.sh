#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
# Usage: scripts/deps.sh [extra-package ...]
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgraphviz-dev libicu-dev libgtest-dev libjemalloc-dev "$@")
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
# No recommends: they would pull a GTK platform theme that changes dialogs and fonts.
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Builds the program and starts it on the user's display. On a machine
# without a display it starts a private X server, shows the window there,
# saves a screenshot to build/quilvane.png and closes the window again.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
qv_ensure_packages "${QV_BUILD_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target quilvane quilvane_snapshot

if [ -n "${DISPLAY:-}" ] && build/tools/snapshot/quilvane_snapshot --check-display; then
  exec build/app/quilvane "$@"
fi

# No display: show the program on a private X server and take its picture.
qv_ensure_packages "${QV_HEADLESS_RUN_PACKAGES[@]}"
echo "No display is available; showing the program on a private X server."
exec build/tools/snapshot/quilvane_snapshot --xvfb --program build/app/quilvane \
  --title "QUILVANE v2.03" --out build/quilvane.png -- "$@"

#!/usr/bin/env bash
# Installs what is needed, builds Quorix and runs every test, then runs them all again in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96
ctest --test-dir build --output-on-failure --parallel "$(nproc)" -LE xvfb
# The few tests that need a real X server (the 3D viewer widget, whole-window pictures) run
# on a virtual display; their pictures stay under build/ for a person to look at.
if ctest --test-dir build -N -L xvfb | grep -q 'Total Tests: [1-9]'; then
  env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1280x1024x24' \
    ctest --test-dir build --output-on-failure -L xvfb
fi
bash scripts/test-sanitizers.sh

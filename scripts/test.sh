#!/usr/bin/env bash
# Installs what is needed, builds Quorix and runs every test, then runs them all again in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
bash scripts/test-sanitizers.sh

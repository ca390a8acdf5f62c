#!/usr/bin/env bash
# Builds Quorix with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there (scripts/test.sh runs it after the plain build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=ON -DQUORIX_BENCH=OFF
export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" -LE xvfb

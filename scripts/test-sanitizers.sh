#!/usr/bin/env bash
# Builds Quorix with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there (scripts/test.sh runs it after the plain build). The build uses clang: its
# sanitizer builds take half the time of gcc's, and a second compiler's warnings are worth having.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DQUORIX_SANITIZE=ON -DQUORIX_BENCH=OFF
# Mesa's driver keeps a few blocks to the end of the process: suppressed by library name only.
export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-mesa.supp:print_suppressions=0
# Every program of this build also carries the runtime options of platform/OpzioniSanitizer.cpp.
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)" -LE xvfb

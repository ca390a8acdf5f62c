#!/usr/bin/env bash
# The long run of the fuzz harnesses that CI runs for a few seconds each: the expression
# engine (printer/parser round trip, random formulas, symbolic work within its budget), the
# programs of the language and the numeric fields of dBASE tables; the program files' harness
# runs once at its own rounds.
#
#   scripts/fuzz-lungo.sh [BUILD_DIR] [FACTOR] [SEED]
#
# FACTOR multiplies every harness's rounds (default 200: minutes rather than seconds); SEED
# (default: the time) varies the inputs, and a failure prints the seed that reproduces it
# (QUORIX_FUZZ_SEME=SEED). Run it on build-asan to have the sanitizers look at every input.
# One harness at a time: the machine is shared.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
fattore=${2:-200}
seme=${3:-$(date +%s)}
export QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96
# The tests' own caches and settings under the build folder, as ctest gives them.
if [[ -f $build/AmbienteDeiTest.sh ]]; then source "$build/AmbienteDeiTest.sh"; fi
export QUORIX_FUZZ_PROVE=$fattore QUORIX_FUZZ_SEME=$seme
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-mesa.supp
echo "fuzz: $build, rounds x$fattore, seed $seme"
esegui() {
  local programma=$1 filtro=$2
  if [[ ! -x $build/$programma ]]; then
    echo "skipped (not built): $programma"
    return
  fi
  echo "== $programma $filtro"
  "$build/$programma" --gtest_filter="$filtro" --gtest_brief=1
}
esegui tests/espressioni/test_espressioni 'FuzzEspressioni.*'
esegui tests/interpreter/test_interpreter 'FuzzTest.*'
esegui tests/platform/test_tabella_dbf 'LarghezzeDbf.Fuzz*:TabellaDbf.Fuzz*'
esegui tests/files/test_files '*Fuzz*'
echo "fuzz: no failure (seed $seme)"

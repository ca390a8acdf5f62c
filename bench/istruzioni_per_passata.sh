#!/usr/bin/env bash
# Instructions per loop pass of each program of bench_programmi, counted by callgrind on one
# run of the program as the benchmark runs it (bench_programmi --una NAME: fast run, no canvas,
# a window that keeps the output lines): only the run itself is counted
# (TAmbiente::EseguiProgramma), then divided by the number of passes of the program's
# innermost loop bodies.
#   bash bench/istruzioni_per_passata.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/bench_programmi"
# program  passes of the innermost loop bodies
passate=(
  "finquando_se 200000"        # the FINQUANDO body
  "ripeti_per 200000"          # 400 x 500 PER passes
  "funzioni_numeriche 60000"
  "stringhe_stampa 30000"
  "vettori_matrici 36000"      # 10 x 60 x 60 PER passes
  "geometria 5000"
  "valutafunz 40000"
  "crivello 230790"            # 10 x (3 x 4998 PER passes + 8085 FINQUANDO passes)
)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%-20s %14s %10s %12s\n' program instructions passes per-pass
for riga in "${passate[@]}"; do
  read -r nome n <<<"$riga"
  valgrind --tool=callgrind --toggle-collect='qx::TAmbiente::EseguiProgramma*' \
    --callgrind-out-file="$out/$nome.cg" "$bench" --una "$nome" >/dev/null 2>"$out/$nome.log"
  ir=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out/$nome.log")
  printf '%-20s %14s %10s %12.0f\n' "$nome" "$ir" "$n" "$(echo "$ir / $n" | bc -l)"
done

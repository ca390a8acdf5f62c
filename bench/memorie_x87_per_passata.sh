#!/usr/bin/env bash
# Extended-real stores of the x87 unit (fstpt) per loop pass of each program of
# bench_programmi, counted by callgrind on one run of the program (bench_programmi --una NAME),
# over the run itself (TAmbiente::EseguiProgramma). Each such store is a long microcoded
# sequence, dearer than the rest of most statements' work: the count says how many a pass pays
# beyond the instructions that istruzioni_per_passata.sh counts.
#   bash bench/memorie_x87_per_passata.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/bench_programmi"
# The passes of each program's innermost loop bodies, as in istruzioni_per_passata.sh.
passate=$(sed -n 's/^  "\([a-z_]*\) \([0-9]*\)".*/\1 \2/p' bench/istruzioni_per_passata.sh)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
objdump -d --no-show-raw-insn "$bench" | awk '$2 == "fstpt" { sub(":", "", $1); print $1 }' >"$out/indirizzi"
printf '%-20s %10s %12s\n' program passes fstpt/pass
while read -r nome n; do
  valgrind --tool=callgrind --dump-instr=yes --compress-pos=no --compress-strings=no \
    --toggle-collect='qx::TAmbiente::EseguiProgramma*' --callgrind-out-file="$out/$nome.cg" \
    "$bench" --una "$nome" >/dev/null 2>&1
  # Cost lines are "address line count"; the line after a "calls=" line is the call's cost.
  conta=$(awk -v indirizzi="$out/indirizzi" '
    BEGIN { while ((getline a < indirizzi) > 0) f[a] = 1 }
    /^ob=/ { nostro = index($0, "bench_programmi") > 0 }
    /^calls=/ { salta = 1; next }
    /^0x/ { if (salta) { salta = 0; next } a = substr($1, 3); sub(/^0+/, "", a)
            if (nostro && (a in f)) s += $3 }
    END { print s + 0 }' "$out/$nome.cg")
  printf '%-20s %10s %12.2f\n' "$nome" "$n" "$(echo "$conta / $n" | bc -l)"
done <<<"$passate"

#!/usr/bin/env bash
# The headless runner's output format and exit codes, which other tests rely on.
set -u
qxrun=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
fail=0
expect() {  # name, expected text, actual text
  if [[ "$2" != "$3" ]]; then
    echo "FAIL $1"; echo "--- expected"; printf '%s\n' "$2"; echo "--- actual"; printf '%s\n' "$3"; fail=1
  fi
}

printf 'STAMPA("ciao", 1/4);\nA = 2.5;\nB = A > 1;\nS = "x" || A;\nV = VETTORE(2);\n' > "$work/ok.txt"
out=$("$qxrun" --vars "$work/ok.txt" 2>/dev/null); code=$?
expect "success output" $'> ciao0.25\n#var A\tT_REALE\t2.5\n#var B\tT_BOOLEANO\tVERO\n#var S\tT_STRINGA\tx2.5\n#var V\tT_VETT_REALE\t' "$out"
expect "success code" 0 "$code"

printf 'A = 1;\nSTAMPA(A);\nB = (2 + ;\n' > "$work/err.txt"
out=$("$qxrun" "$work/err.txt" 2>/dev/null); code=$?
expect "error output" $'> 1\n#error 3 Identificatore non riconosciuto' "$out"
expect "error code" 1 "$code"

printf 'PER (I DA 1 A 3) ESEGUI;\n  SE I = 2 ALLORA STOP;\n  STAMPA(I);\nFINE;\n' > "$work/stop.txt"
out=$("$qxrun" "$work/stop.txt" 2>/dev/null); code=$?
expect "stop output" "> 1" "$out"
expect "stop code" 0 "$code"

printf 'X = LEGGINUM("numero");\nY = LEGGINUM("altro");\nSTAMPA(X + 1);\n' > "$work/input.txt"
printf '41\nANNULLA\n' > "$work/answers.txt"
out=$("$qxrun" --answers "$work/answers.txt" "$work/input.txt" 2>/dev/null); code=$?
expect "cancelled input output" "#error 0 " "$out"
expect "cancelled input code" 1 "$code"

"$qxrun" --png "$work/c.png" --size 200x100 "$work/ok.txt" >/dev/null 2>&1
expect "png written" 0 "$?"
[[ -s "$work/c.png" ]] || { echo "FAIL png missing"; fail=1; }

"$qxrun" >/dev/null 2>&1; expect "usage code" 2 "$?"
"$qxrun" --size 0x5 "$work/ok.txt" >/dev/null 2>&1; expect "bad size code" 2 "$?"
"$qxrun" "$work/missing.txt" >/dev/null 2>&1; expect "unreadable code" 2 "$?"
exit $fail

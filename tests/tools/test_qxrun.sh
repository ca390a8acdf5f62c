#!/usr/bin/env bash
# The headless runner's output format and exit codes, which other tests rely on.
set -u
qxrun=$(realpath "$1")
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

# A wait for the mouse answered by a click at a world point; a picker by its 1 or 2.
printf 'A = PUNTO(1, 1);\nP = PUNTO;\nQ = SCEGLIPUNTO;\nS = SEGMENTO(A, 2);\n' > "$work/clic.txt"
printf 'CLIC 2.5 3\nCLIC 1 1\nCLIC 1 4\n' > "$work/clic_answers.txt"
out=$("$qxrun" --vars --answers "$work/clic_answers.txt" "$work/clic.txt" 2>&1); code=$?
expect "click answers" $'#var A\tT_PUNTO\tPunto: A (1, 1)\n#var P\tT_PUNTO\tPunto: P (2.5, 3)\n#var Q\tT_PUNTO\tPunto: Q (1, 1)\n#var S\tT_SEGMENTO\tSegmento: S - misura: 2' "$out"
expect "click answers code" 0 "$code"
out=$("$qxrun" "$work/clic.txt" 2>&1); code=$?
expect "a wait without an answer" "qxrun: a wait was never answered by the script: PUNTO: Sposta il cursore con il mouse e premi il pulsante sinistro per confermare" "$out"
expect "a wait without an answer code" 1 "$code"

# A line drawn by dragging: no answer gives a drag, and the run fails with the wait's prompt.
printf 'A = PUNTO(0, 0);\nL = LINEA(A, PUNTO(3, 3));\nSTAMPA("fine");\n' > "$work/linea.txt"
out=$("$qxrun" --answers "$work/clic_answers.txt" "$work/linea.txt" 2>&1); code=$?
expect "a drag is never answered" "qxrun: a wait was never answered by the script: LINEA: Muovi il mouse tenendo premuto il pulsante sinistro fino a quando non hai terminato la linea" "$out"
expect "a drag is never answered code" 1 "$code"

# A statement that stops the run with a message box of its own: the box's text is the error.
printf 'K = POLIGONO(PUNTO(0, 0), PUNTO(4, 0), PUNTO(0, 3));\nRIMPICCIOLISCI(K, 2);\nSTAMPA("dopo");\n' > "$work/box.txt"
out=$("$qxrun" "$work/box.txt" 2>&1); code=$?
expect "a message box stops the run" "#error 0 Il numero deve essere compreso tra 0 e 1" "$out"
expect "a message box stops the run code" 1 "$code"

# A number answer is the whole answer; a byte-order mark is no part of the program.
printf '\xef\xbb\xbfX = LEGGINUM("x");\nSTAMPA(X);\n' > "$work/numero.txt"
printf '2,5\n' > "$work/virgola.txt"
err=$("$qxrun" --answers "$work/virgola.txt" "$work/numero.txt" 2>&1 >/dev/null); code=$?
expect "a number answer with a comma" 'qxrun: answer "2,5" is not a number' "$err"
expect "a number answer with a comma code" 1 "$code"
printf ' 2.5 \n' > "$work/punto.txt"
out=$("$qxrun" --answers "$work/punto.txt" "$work/numero.txt" 2>&1); code=$?
expect "a number answer" "> 2.5" "$out"
expect "a number answer code" 0 "$code"

"$qxrun" --png "$work/c.png" --size 200x100 "$work/ok.txt" >/dev/null 2>&1
expect "png written" 0 "$?"
[[ -s "$work/c.png" ]] || { echo "FAIL png missing"; fail=1; }

# Nothing but the run's own lines: no warning of the toolkit on standard error, with or
# without a runtime folder.
err=$(env -u XDG_RUNTIME_DIR "$qxrun" --png "$work/c.png" "$work/ok.txt" 2>&1 >/dev/null)
expect "quiet standard error without XDG_RUNTIME_DIR" "" "$err"
err=$(XDG_RUNTIME_DIR="$work" "$qxrun" "$work/ok.txt" 2>&1 >/dev/null)
expect "quiet standard error with XDG_RUNTIME_DIR" "" "$err"

# An archive under the program folder (the folder qxrun starts in), read back by a second,
# independent reader of the header; asked again and answered No twice, it stays as it was.
mkdir "$work/prog"
printf 'CREA_ARCHIVIO("RUBRICA", "NOME", TESTO, 20, "ETA", NUMERO);\n' > "$work/prog/archivio.txt"
out=$(cd "$work/prog" && "$qxrun" archivio.txt 2>&1); code=$?
expect "archive run" "" "$out"
expect "archive code" 0 "$code"
out=$(python3 "$(dirname "$0")/intestazione_dbf.py" "$work/prog/ARC/RUBRICA.dbf"); code=$?
expect "archive header" $'version 0x03 language 0x57 records 0\nNOME C 20.0\nETA N 20.6' "$out"
expect "archive header agrees with the file" 0 "$code"
cp "$work/prog/ARC/RUBRICA.dbf" "$work/prima.dbf"
printf 'NO\nNO\n' > "$work/no.txt"
(cd "$work/prog" && "$qxrun" --answers "$work/no.txt" archivio.txt >/dev/null 2>&1)
cmp -s "$work/prima.dbf" "$work/prog/ARC/RUBRICA.dbf" || { echo "FAIL archive changed by No, No"; fail=1; }
printf 'APRI_ARCHIVIO("");\n' > "$work/apri.txt"
out=$("$qxrun" "$work/apri.txt" 2>&1); code=$?
expect "open with no name" "#error 1 Parametri errati per APRI_ARCHIVIO" "$out"
expect "open with no name code" 1 "$code"

"$qxrun" >/dev/null 2>&1; expect "usage code" 2 "$?"
"$qxrun" --size 0x5 "$work/ok.txt" >/dev/null 2>&1; expect "bad size code" 2 "$?"
err=$("$qxrun" --size 3x100 --png3d "$work/s.png" "$work/ok.txt" 2>&1); code=$?
expect "too narrow a space view" "qxrun: --png3d needs a width of at least 4 pixels" "$err"
expect "too narrow a space view code" 2 "$code"
"$qxrun" "$work/missing.txt" >/dev/null 2>&1; expect "unreadable code" 2 "$?"
exit $fail

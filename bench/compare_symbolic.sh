#!/bin/sh
# Differentiates the same 1,000 functions with Quorix, GiNaC (ginsh) and Maxima and prints
# the time each takes. Installs ginac-tools and maxima with apt-get when they are missing.
# Usage: bench/compare_symbolic.sh [build-dir]   (run from the repository root)
set -eu
BUILD=${1:-build}
if ! command -v ginsh >/dev/null || ! command -v maxima >/dev/null; then
  apt-get install -y --no-install-recommends ginac-tools maxima >/dev/null
fi
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT

# The functions: sums, differences, products and quotients of a few atoms, from a fixed
# linear congruential sequence so that every run sees the same set.
awk -v dir="$DIR" 'BEGIN {
  n = split("x|x^2|sin(x)|cos(3*x)|exp(x/2)|log(x)|sqrt(x)|atan(x)|tanh(x)|x^x|(1+2*x)^3|1/x|sinh(x)*cosh(x)", A, "|")
  split("+|-|*|/", O, "|")
  s = 12345
  for (i = 0; i < 1000; i++) {
    s = (s * 1103515245 + 12345) % 2147483648; t = A[int(s / 65536) % n + 1]
    s = (s * 1103515245 + 12345) % 2147483648; k = 1 + int(s / 65536) % 4
    for (j = 0; j < k; j++) {
      s = (s * 1103515245 + 12345) % 2147483648; o = O[int(s / 65536) % 4 + 1]
      s = (s * 1103515245 + 12345) % 2147483648; t = "(" t ")" o A[int(s / 65536) % n + 1]
    }
    q = t; gsub(/log\(/, "ln(", q); gsub(/atan\(/, "arctan(", q)
    print q > (dir "/quorix.txt")
    print "diff(" t ", x);" > (dir "/ginsh.txt")
    print "string(diff(" t ", x))$" > (dir "/maxima.mac")
  }
}'

now() { date +%s.%N; }
echo "Quorix (differentiate, tidy, print):"
QUORIX_FUNZIONI_FILE="$DIR/quorix.txt" "$BUILD/bench/bench_espressioni" --benchmark_filter=DerivaDaFile | grep DerivaDaFile

t0=$(now); ginsh < "$DIR/ginsh.txt" > /dev/null; t1=$(now)
echo "GiNaC ginsh (differentiate, print): $(echo "($t1 - $t0) * 1000" | bc) ms"

echo 'display2d:false$' > "$DIR/vuoto.mac"
t0=$(now); maxima --very-quiet -b "$DIR/vuoto.mac" > /dev/null; t1=$(now)
t2=$(now); maxima --very-quiet -b "$DIR/maxima.mac" > /dev/null; t3=$(now)
echo "Maxima (differentiate, to string; start-up subtracted): $(echo "(($t3 - $t2) - ($t1 - $t0)) * 1000" | bc) ms"

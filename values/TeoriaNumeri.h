// Number theory of the language: greatest common divisor and least common multiple,
// factorial, binomial coefficient and primality. Arguments are the 32-bit integers that
// the built-ins obtain by truncating numbers; results that can outgrow 32 bits are reals,
// exact while they fit in 64 bits.
#pragma once
#include <cstdint>
#include <vector>

#include "values/Funzioni.h"

namespace qx {

// The greatest common divisor of abs(a) and abs(b); 0 when both are 0, abs of the other when
// one is 0. Defined for every argument except the most negative 64-bit integer.
std::int64_t MCD(std::int64_t a, std::int64_t b);

// Fewer than two elements: the first one unchanged, sign kept (0 for none); otherwise MCD
// folded from the left.
std::int64_t MCDVettore(const std::vector<std::int32_t>& v);

// Fewer than two elements: abs of the first (0 for none); otherwise the least common
// multiple of the absolute values, 0 as soon as an element is 0. Exact up to 2^64; a larger
// multiple is VAL_TENDE_INFINITO.
Reale MCMVettore(const std::vector<std::int32_t>& v);

// n!, VAL_NON_DEFINITA for n < 0, VAL_TENDE_INFINITO beyond the largest real.
Reale Fattoriale(std::int32_t n);

// C(n, k): -1 when n < 0, k < 0 or k > n. Exact up to 2^64, then rounded to the precision
// of a real; VAL_TENDE_INFINITO beyond the largest real.
Reale CoefficienteBinomiale(std::int32_t n, std::int32_t k);

bool EPrimo(std::int32_t n);

}  // namespace qx

#include "values/TeoriaNumeri.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qx {

namespace {

std::uint64_t Modulo(std::int64_t a) {
  return a < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
}

}  // namespace

std::int64_t MCD(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(std::gcd(Modulo(a), Modulo(b)));
}

std::int64_t MCDVettore(const std::vector<std::int32_t>& v) {
  if (v.empty()) return 0;
  if (v.size() < 2) return v[0];
  std::int64_t r = v[0];
  for (std::size_t i = 1; i < v.size(); ++i) r = MCD(r, v[i]);
  return r;
}

Reale MCMVettore(const std::vector<std::int32_t>& v) {
  if (v.empty()) return 0;
  std::uint64_t r = Modulo(v[0]);
  if (v.size() < 2) return static_cast<Reale>(r);
  bool troppoGrande = false;
  for (std::size_t i = 1; i < v.size(); ++i) {
    const std::uint64_t e = Modulo(v[i]);
    if (r == 0 || e == 0) return 0;
    if (troppoGrande) continue;  // a later 0 still makes the multiple 0
    const std::uint64_t quoziente = r / std::gcd(r, e);
    if (__builtin_mul_overflow(quoziente, e, &r)) troppoGrande = true;
  }
  return troppoGrande ? VAL_TENDE_INFINITO : static_cast<Reale>(r);
}

Reale Fattoriale(std::int32_t n) {
  if (n < 0) return VAL_NON_DEFINITA;
  Reale f = 1;
  for (std::int32_t i = 2; i <= n; ++i) {
    f *= i;
    if (std::isinf(f)) return VAL_TENDE_INFINITO;  // the rest can only grow
  }
  return f;
}

Reale CoefficienteBinomiale(std::int32_t n, std::int32_t k) {
  if (n < 0 || k < 0 || k > n) return -1;
  const std::int64_t kk = std::min<std::int64_t>(k, static_cast<std::int64_t>(n) - k);
  const std::int64_t base = static_cast<std::int64_t>(n) - kk;
  // r = C(base + i, i) after step i. Each step is exact in integers: with g = gcd(r, i),
  // i / g divides base + i, so r (base + i) / i = (r / g) ((base + i) / (i / g)).
  std::uint64_t r = 1;
  std::int64_t i = 1;
  for (; i <= kk; ++i) {
    const std::uint64_t fattore = static_cast<std::uint64_t>(base + i);
    const std::uint64_t g = std::gcd(r, static_cast<std::uint64_t>(i));
    std::uint64_t prossimo = 0;
    if (__builtin_mul_overflow(r / g, fattore / (static_cast<std::uint64_t>(i) / g), &prossimo)) break;
    r = prossimo;
  }
  if (i > kk) return static_cast<Reale>(r);
  // Beyond 64 bits: go on in reals. The sequence only grows, so the first overflow ends it.
  Reale x = static_cast<Reale>(r);
  for (; i <= kk; ++i) {
    x *= static_cast<Reale>(base + i) / static_cast<Reale>(i);  // ratio first: no early overflow
    if (std::isinf(x)) return VAL_TENDE_INFINITO;
  }
  return x;
}

bool EPrimo(std::int32_t n) {
  if (n < 2) return false;
  if (n == 2) return true;
  if (n % 2 == 0) return false;
  const std::int32_t radice = static_cast<std::int32_t>(std::sqrt(static_cast<double>(n)));
  for (std::int32_t d = 3; d <= radice; d += 2)
    if (n % d == 0) return false;
  return true;
}

}  // namespace qx

// Numeric conventions of the language: the four error values, the tolerance of real
// equality, the texts into which numbers turn, the range check of typed numbers, the
// power routine and the angle conversions. Numeric code never raises: a failure is one of
// the error values, which pass through arithmetic and print as words.
#pragma once
#include <cmath>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <string_view>

namespace qx {

using Reale = long double;

// a := b as bytes. An assignment of one extended real to another goes through the x87 unit,
// whose store of an extended real is a long microcoded sequence; a copy of the bytes is two
// moves.
inline void CopiaReale(Reale& a, const Reale& b) { std::memcpy(&a, &b, sizeof a); }
// a := +0, as bytes (see CopiaReale).
inline void AzzeraReale(Reale& a) { std::memset(&a, 0, sizeof a); }

#if (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64
// The two parts of x87's extended format, read from a number's bytes: the 64-bit significand
// with its integer bit, then the sign and the biased exponent.
struct ByteReale {
  explicit ByteReale(const Reale& x) {
    std::memcpy(&significando, &x, sizeof significando);
    std::memcpy(&segnoEsponente, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof segnoEsponente);
  }
  std::uint64_t significando;
  std::uint16_t segnoEsponente;
  bool Negativo() const { return (segnoEsponente & 0x8000) != 0; }
  int Esponente() const { return segnoEsponente & 0x7FFF; }
};
#endif

// The biased binary exponent of x, read from its bytes: 0 for zero and the subnormals,
// 0x7FFF for the infinities and NaN, else e with 2^(e - 16383) <= |x| < 2^(e - 16382). A bound
// on a number's size with no trip through the x87 unit.
inline int EsponenteReale(const Reale& x) {
#if (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64
  return ByteReale(x).Esponente();
#else
  if (!(x == x) || x - x != 0) return 0x7FFF;
  return x == 0 ? 0 : std::ilogb(x) + 16383;
#endif
}

// A number held as its bytes. The x87 unit stores an extended real with a long microcoded
// sequence that costs more than the rest of a statement's work around it; a number that lies
// in memory already (a variable's value) and must outlive a call is copied here instead, and
// read back into the unit only where it is used.
struct RealeTenuto {
  alignas(16) unsigned char byte[sizeof(Reale)] = {};  // all zero: +0
  void Da(const Reale& x) { std::memcpy(byte, &x, sizeof byte); }
  Reale Valore() const {
    Reale x;
    std::memcpy(&x, byte, sizeof x);
    return x;
  }
};

constexpr Reale VAL_NON_DEFINITA = 1e99L;
constexpr Reale VAL_TENDE_INFINITO = 1e100L;
constexpr Reale VAL_DIVISIONE_ZERO = 1e101L;
constexpr Reale VAL_INDETERMINATA = 1e102L;

constexpr Reale TOLLERANZA = 1e-10L;

constexpr Reale PI_SU_180 = std::numbers::pi_v<long double> / 180.0L;
constexpr Reale CENTOTTANTA_SU_PI = 180.0L / std::numbers::pi_v<long double>;

// True for the four error values (exact comparison).
constexpr bool IsValoreErrore(Reale x) {
  return x == VAL_NON_DEFINITA || x == VAL_TENDE_INFINITO || x == VAL_DIVISIONE_ZERO || x == VAL_INDETERMINATA;
}
// The word of an error value, or nullptr for an ordinary number.
const char* TestoValoreErrore(Reale x);
// A result that left the reals becomes an error value: infinite -> "Tende ad Infinito",
// NaN -> "Non definita"; any other value is returned unchanged.
Reale NormalizzaNonFinito(Reale x);

// x truncated toward zero, for |x| < 2^63 (the caller checks the range; NaN is out of it).
// A plain conversion switches the x87 unit's rounding mode there and back, which stalls it
// for longer than the rest of an index read takes: here x is rounded in the current mode and
// the result stepped back toward zero where it went past x.
inline long long TroncaIntero(Reale x) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  long long i;
  asm("fistpll %0" : "=m"(i) : "t"(x) : "st");
  const Reale r = static_cast<Reale>(i);
  if (x >= 0 ? r > x : r < x) i += x >= 0 ? -1 : 1;
  return i;
#else
  return static_cast<long long>(x);
#endif
}

// True when x, read from its bytes (see IndiceEntro), is a whole number below 2^62 in
// magnitude, which `i` then holds, with `negativo` its sign (that of a zero too); false for
// any other x, which the caller then takes the general way. No trip through the x87 unit.
inline bool InteroPiccolo(const Reale& x, long long& i, bool& negativo) {
#if (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64
  const ByteReale b(x);
  const std::uint64_t significando = b.significando;
  negativo = b.Negativo();
  const int esponente = b.Esponente() - 16383;
  if (esponente < 0) {  // zero, or a fraction (or a subnormal)
    if (b.Esponente() != 0 || significando != 0) return false;
    i = 0;
    return true;
  }
  // Bits below the units mean a fraction.
  if (esponente > 61 || (significando << (esponente + 1)) != 0) return false;
  const auto k = static_cast<long long>(significando >> (63 - esponente));
  i = negativo ? -k : k;
  return true;
#else
  if (!(std::fabs(x) < 4611686018427387904.0L) || x != std::trunc(x)) return false;
  i = static_cast<long long>(x);
  negativo = std::signbit(x);
  return true;
#endif
}

// True when x (|x| < 2^63, the caller checks) is a whole number, which `i` then holds: x is
// rounded in the current mode, with no switch of the x87 unit's mode, and compared with it.
inline bool InteroEsatto(Reale x, long long& i) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  asm("fistpll %0" : "=m"(i) : "t"(x) : "st");
#else
  i = static_cast<long long>(x);
#endif
  return static_cast<Reale>(i) == x;
}

// An index of an element of `n`: x truncated into `i`, when that falls in 1..n (exactly when
// 1 <= x < n + 1). An index lies in memory, where the x87 format can be read as integers: a
// 64-bit significand with its integer bit, then the sign and a biased exponent, so that
// x = significand * 2^(exponent - 16383 - 63). The truncation of a positive x below 2^63 is
// the significand shifted right; x below 1, negative, NaN and the infinities fail the range.
// The x87 unit's own conversion went through memory twice, and each trip between its
// registers and the integer ones stalls far longer than this.
inline bool IndiceEntro(const Reale& x, int n, int& i) {
#if (defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64
  const ByteReale b(x);
  const int esponente = b.Esponente() - 16383;
  if (b.Negativo() || esponente < 0 || esponente > 62 || n < 1) return false;
  const std::uint64_t k = b.significando >> (63 - esponente);
  if (k < 1 || k > static_cast<std::uint64_t>(n)) return false;
  i = static_cast<int>(k);
#else
  if (!(x >= 1 && x < static_cast<Reale>(n) + 1)) return false;
  i = static_cast<int>(x);
#endif
  return true;
}

inline bool UgualeReale(Reale a, Reale b) {
  Reale d = a - b;
  return (d < 0 ? -d : d) <= TOLLERANZA;
}

// General format: 15 significant digits, shortest form; 1E20, 1E-5 for far magnitudes.
std::string NumeroInTesto(Reale x);
// The longest string a program may build: far past any text of a lesson, far below the
// memory (a string doubled in a loop of forty passes would want a terabyte).
constexpr std::size_t LUNGHEZZA_MASSIMA_STRINGA = std::size_t{1} << 26;
// Appends a part to a text built part by part (a concatenation, a line of output): when the
// text first outgrows the room inside the string it takes room for a whole line at once,
// where doubling would allocate twice or more for a line of a few parts.
void AccodaParte(std::string& testo, std::string_view parte);
// Fixed format with 18 significant digits and the given decimals, trailing zeros (and a
// bare separator) trimmed: 12.50 -> "12.5", 3.00 -> "3". Never "-0".
std::string NumeroInTestoDec(Reale x, int decimali);
std::string NumeroInTestoPrec(Reale x, int decimali);
// A swapped call (decimals first, then a real) must not compile.
template <std::integral I, std::floating_point R>
std::string NumeroInTestoDec(I, R) = delete;
template <std::integral I, std::floating_point R>
std::string NumeroInTestoPrec(I, R) = delete;
// Two decimals, trailing zeros and a trailing separator removed (tick labels).
std::string NumeroInTestoBreve(Reale x);
// x rounded to the given decimals through its text.
Reale ArrotondaDecimali(Reale x, int decimali);
template <std::integral I, std::floating_point R>
Reale ArrotondaDecimali(I, R) = delete;
// The fixed text with exactly the given decimals, before trimming (used by the above).
std::string TestoFisso(Reale x, int decimali);

// Checks a number typed by the user; with `segnala` the first failure is shown in an error
// message box.
bool ControllaIntervallo(bool inclusivo, bool intero, bool segnala, Reale x, Reale basso, Reale alto);

// base ^ esponente: 0^0 is indeterminate, a negative base with a fractional exponent or an
// overflow tends to infinity, any other non-finite result is undefined.
Reale Potenza(Reale base, Reale esponente);

inline Reale GradiInRadianti(Reale gradi) { return gradi * PI_SU_180; }
inline Reale RadiantiInGradi(Reale radianti) { return radianti * CENTOTTANTA_SU_PI; }
// Sine and cosine of degrees, reduced in degrees first: exact at every multiple of 90 (0, 1
// or -1), and no slow reduction of large arguments. NaN and the infinities give NaN.
Reale SenoGradi(const Reale& gradi);
Reale CosenoGradi(const Reale& gradi);
inline Reale InteroInReale(std::int32_t n) { return static_cast<Reale>(n); }
inline std::int32_t MinIntero(std::int32_t a, std::int32_t b) { return a < b ? a : b; }
inline std::int32_t MaxIntero(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
inline Reale MinReale(Reale a, Reale b) { return a < b ? a : b; }
inline Reale MaxReale(Reale a, Reale b) { return a > b ? a : b; }

}  // namespace qx

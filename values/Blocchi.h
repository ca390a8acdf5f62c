// Values made and dropped at every step of a loop (numbers, strings, and the points and
// functions that every read of a variable copies) take their memory from free lists of blocks
// of their size instead of the allocator.
#pragma once
#include <cstddef>
#include <new>

namespace qx {

// A free list of blocks of one size; the blocks are never returned to the system, and at most
// a few hundred are alive at once (the depth of the expressions being evaluated, the values
// of a statement's arguments).
template <std::size_t Dimensione>
class Blocchi {
 public:
  static void* Prendi(std::size_t n) {
    if (!kPool || n != Dimensione || liberi_ == nullptr) return ::operator new(n);
    Libero* b = liberi_;
    liberi_ = b->successivo;
    return b;
  }
  static void Rendi(void* p, std::size_t n) noexcept {
    if (p == nullptr) return;
    if (!kPool || n != Dimensione) {
      ::operator delete(p);
      return;
    }
    auto* b = static_cast<Libero*>(p);
    b->successivo = liberi_;
    liberi_ = b;
  }

 private:
  struct Libero {
    Libero* successivo;
  };
#ifdef QUORIX_SENZA_POOL
  // Pools that reuse blocks would hide use-after-free from the sanitizer.
  static constexpr bool kPool = false;
#else
  static constexpr bool kPool = true;
#endif
  static inline Libero* liberi_ = nullptr;
};

}  // namespace qx

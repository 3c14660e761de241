#pragma once

// Scans over engine text that test several units per step: eight units in
// one 128-bit vector where the target has SSE2 (every x86-64 processor, so
// every build of the plug-in for a server), one unit at a time elsewhere.
// Vectors are read only where all their units lie inside [from, end); the
// units after the last whole vector are taken one by one.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/platform.h"

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#define DRAVELQUIN_PACKED_SSE2 1
#include <emmintrin.h>
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif
#endif

namespace dravelquin::packed {

// Four units loaded as one 64-bit word, for hashing four at a time.
constexpr std::ptrdiff_t kUnitsPerWord = 4;

inline std::uint64_t LoadFour(const EngineUnit* units) {
  std::uint64_t word;
  std::memcpy(&word, units, sizeof word);
  return word;
}

#if defined(DRAVELQUIN_PACKED_SSE2)

constexpr std::ptrdiff_t kUnitsPerVector = 8;

inline __m128i LoadEight(const EngineUnit* units) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
}

inline __m128i EveryLane(EngineUnit unit) {
  return _mm_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(unit)));
}

// Index of the first unit of eight whose lane is set in a mask of
// _mm_movemask_epi8 over 16-bit lanes (two bits per lane); the mask is not 0.
inline std::ptrdiff_t FirstLane(int mask) {
#if defined(_MSC_VER) && !defined(__clang__)
  unsigned long bit = 0;
  _BitScanForward(&bit, static_cast<unsigned long>(mask));
  return static_cast<std::ptrdiff_t>(bit / 2);
#else
  return __builtin_ctz(static_cast<unsigned>(mask)) / 2;
#endif
}

#endif

// The first unit in [from, end) equal to `unit`, or `end`.
inline const EngineUnit* FindUnit(const EngineUnit* from, const EngineUnit* end, EngineUnit unit) {
#if defined(DRAVELQUIN_PACKED_SSE2)
  if (end - from >= kUnitsPerVector) {
    const __m128i pattern = EveryLane(unit);
    const EngineUnit* const last_vector = end - kUnitsPerVector;
    for (; from <= last_vector; from += kUnitsPerVector) {
      const int hits = _mm_movemask_epi8(_mm_cmpeq_epi16(LoadEight(from), pattern));
      if (hits != 0) {
        return from + FirstLane(hits);
      }
    }
  }
#endif
  while (from != end && *from != unit) {
    ++from;
  }
  return from;
}

// The first unit in [from, end) that is `unit` or 0, or `end`.
inline const EngineUnit* FindUnitOrZero(const EngineUnit* from, const EngineUnit* end,
                                        EngineUnit unit) {
#if defined(DRAVELQUIN_PACKED_SSE2)
  if (end - from >= kUnitsPerVector) {
    const __m128i pattern = EveryLane(unit);
    const __m128i zero = _mm_setzero_si128();
    const EngineUnit* const last_vector = end - kUnitsPerVector;
    for (; from <= last_vector; from += kUnitsPerVector) {
      const __m128i units = LoadEight(from);
      const int hits = _mm_movemask_epi8(
          _mm_or_si128(_mm_cmpeq_epi16(units, pattern), _mm_cmpeq_epi16(units, zero)));
      if (hits != 0) {
        return from + FirstLane(hits);
      }
    }
  }
#endif
  while (from != end && *from != unit && *from != 0) {
    ++from;
  }
  return from;
}

}  // namespace dravelquin::packed

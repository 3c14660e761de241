#include "host/classic_narrowing.h"

#include <cstdint>

#include "host/packed_units.h"

namespace dravelquin {

namespace {

char NarrowUnit(EngineUnit unit) {
  const unsigned value = static_cast<std::uint16_t>(unit);
  return value <= 0xFF ? static_cast<char>(static_cast<unsigned char>(value)) : '?';
}

}  // namespace

void NarrowClassic(const EngineUnit* units, std::size_t count, char* out) {
  std::size_t i = 0;
#if defined(DRAVELQUIN_PACKED_SSE2)
  // Sixteen units at a time: when none is above U+00FF, each becomes its low
  // byte (packing with unsigned saturation keeps values up to 0xFF as they are).
  constexpr auto kStep = static_cast<std::size_t>(2 * packed::kUnitsPerVector);
  const __m128i high_bytes = _mm_set1_epi16(static_cast<short>(0xFF00));
  for (; i + kStep <= count; i += kStep) {
    const __m128i first = packed::LoadEight(units + i);
    const __m128i second = packed::LoadEight(units + i + kStep / 2);
    const __m128i high = _mm_and_si128(_mm_or_si128(first, second), high_bytes);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(first, second));
    } else {
      for (std::size_t k = i; k < i + kStep; ++k) {
        out[k] = NarrowUnit(units[k]);
      }
    }
  }
#endif
  for (; i < count; ++i) {
    out[i] = NarrowUnit(units[i]);
  }
}

}  // namespace dravelquin

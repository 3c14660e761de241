#pragma once

// The narrowing of the classic locale: units U+0000 to U+00FF become the byte
// of the same value, every other unit "?".

#include <cstddef>

#include "host/platform.h"

namespace dravelquin {

void NarrowClassic(const EngineUnit* units, std::size_t count, char* out);

}  // namespace dravelquin

#pragma once

// The bytes the process has taken from its heap and not given back, as the
// allocator in use counts them: the C library's, or AddressSanitizer's in a
// sanitizer build.

#include <cstddef>

namespace dravelquin {

std::size_t HeapBytesInUse();

}  // namespace dravelquin

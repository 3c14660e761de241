#include "reliability/heap_in_use.h"

namespace dravelquin {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAVELQUIN_HEAP_OF_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define DRAVELQUIN_HEAP_OF_ASAN 1
#endif

#if defined(DRAVELQUIN_HEAP_OF_ASAN)
// The sanitizer runtime's own figure (its header does not come with every
// compiler that has the runtime).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

std::size_t HeapBytesInUse() { return __sanitizer_get_current_allocated_bytes(); }
#else
#include <malloc.h>

std::size_t HeapBytesInUse() { return mallinfo2().uordblks; }
#endif

}  // namespace dravelquin

// The C++ runtime's clock, in 100-nanosecond ticks since 1970-01-01 UTC:
// msvcp140.dll exports it on every server; elsewhere it is provided beside
// the host the same way.

#include <cstdint>

#if defined(_MSC_VER)
#include <xtimec.h>
#else
extern "C" long long _Xtime_get_ticks();
#endif

#include "host/platform.h"

namespace dravelquin {

std::int64_t CurrentTicks() { return _Xtime_get_ticks(); }

}  // namespace dravelquin

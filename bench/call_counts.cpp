#include "call_counts.h"

#include "game/engine_allocator.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin {

CallCounts CurrentCallCounts() {
  const testbed::AllocatorCallCounts allocator = testbed::CountAllocatorCalls();
  const testbed::AddressLookupCounts lookups = testbed::GetAddressLookupCounts();
  return CallCounts{allocator.mallocs, allocator.reallocs, allocator.frees, lookups.functions,
                    lookups.fields};
}

CallCounts operator-(const CallCounts& later, const CallCounts& earlier) {
  return CallCounts{later.mallocs - earlier.mallocs, later.reallocs - earlier.reallocs,
                    later.frees - earlier.frees, later.function_lookups - earlier.function_lookups,
                    later.field_lookups - earlier.field_lookups};
}

}  // namespace dravelquin

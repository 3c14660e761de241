// The clock behind the runtime's _Xtime_get_ticks (testbed/runtime), settable
// by the driver.

#include <cstdint>

#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::testbed {

namespace {

std::int64_t current_ticks = kDefaultTicks;

}  // namespace

namespace host {

void ResetClock() { current_ticks = kDefaultTicks; }

}  // namespace host

void SetTicks(std::int64_t ticks) { current_ticks = ticks; }

void AdvanceTicks(std::int64_t ticks) { current_ticks += ticks; }

std::int64_t Ticks() { return current_ticks; }

}  // namespace dravelquin::testbed

// The clock under a plain C name, for the stand-in runtime DLL to find.
extern "C" ARKAPI_API std::int64_t TestbedTicks() { return dravelquin::testbed::Ticks(); }

// The runtime clock the plug-in reads, settable by the driver.

#include <cstdint>

#include "plugin/host/host_export.h"
#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

namespace {

std::int64_t current_ticks = testbed::kDefaultTicks;

}  // namespace

extern "C" ARKAPI_API long long _Xtime_get_ticks() { return current_ticks; }

namespace testbed {

namespace host {

void ResetClock() { current_ticks = kDefaultTicks; }

}  // namespace host

void SetTicks(std::int64_t ticks) { current_ticks = ticks; }

void AdvanceTicks(std::int64_t ticks) { current_ticks += ticks; }

std::int64_t Ticks() { return current_ticks; }

}  // namespace testbed

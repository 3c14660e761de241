#include "testbed/host/host_internal.h"
#include "testbed/host/testbed_host.h"

namespace dravelquin::testbed {

void ResetHost() {
  host::ResetJournal();
  host::ResetCallbackErrors();
  host::ResetCallbackTimes();
  host::ResetLogCapture();
  host::ResetTools();
  host::ResetClock();
  host::RestoreAllHooks();
  host::ClearAllCommands();
  ResetAddressLookupCounts();
}

}  // namespace dravelquin::testbed

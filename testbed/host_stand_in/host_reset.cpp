#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

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

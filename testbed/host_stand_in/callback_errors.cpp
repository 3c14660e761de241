#include <string>
#include <utility>
#include <vector>

#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::testbed {

namespace {

std::vector<CallbackError> errors;

}  // namespace

namespace host {

void ResetCallbackErrors() { errors.clear(); }

}  // namespace host

void RecordCallbackError(const std::string& where, const std::string& what) {
  errors.push_back(CallbackError{where, what});
}

std::vector<CallbackError> TakeCallbackErrors() { return std::exchange(errors, {}); }

}  // namespace dravelquin::testbed

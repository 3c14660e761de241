// Name lookup of the game's functions and fields: every call of GetAddress
// looks its name up afresh, the way the real host resolves names.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "host/ark_api.h"
#include "host_stand_in/testbed_host.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;

namespace {

// Plain objects rather than function-local statics, as the real host's
// tables are: names are registered and looked up only once the game runs,
// after this library's static initialisation.
std::unordered_map<std::string, void*> natives;
std::unordered_map<std::string, std::uint64_t> field_offsets;

testbed::AddressLookupCounts lookup_counts;

}  // namespace

namespace ArkApi {

void* GetAddress(const std::string& name) {
  ++lookup_counts.functions;
  const auto found = natives.find(name);
  return found == natives.end() ? nullptr : found->second;
}

std::uint64_t GetAddress(const void* object, const std::string& name) {
  ++lookup_counts.fields;
  const auto found = field_offsets.find(name);
  if (found == field_offsets.end()) {
    return 0;
  }
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(object)) + found->second;
}

}  // namespace ArkApi

namespace dravelquin::testbed {

void RegisterNative(const std::string& name, void* entry) { natives[name] = entry; }

bool RemoveNative(const std::string& name) { return natives.erase(name) > 0; }

void RegisterField(const std::string& name, std::uint64_t offset) { field_offsets[name] = offset; }

bool RemoveField(const std::string& name) { return field_offsets.erase(name) > 0; }

AddressLookupCounts GetAddressLookupCounts() { return lookup_counts; }

void ResetAddressLookupCounts() { lookup_counts = AddressLookupCounts{}; }

}  // namespace dravelquin::testbed

// Name lookup of the game's functions and fields: every call of GetAddress
// looks its name up afresh, the way the real host resolves names.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "host/ark_api.h"
#include "testbed/host/testbed_host.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;

namespace {

std::unordered_map<std::string, void*>& Natives() {
  static std::unordered_map<std::string, void*> natives;
  return natives;
}

std::unordered_map<std::string, std::uint64_t>& FieldOffsets() {
  static std::unordered_map<std::string, std::uint64_t> offsets;
  return offsets;
}

testbed::AddressLookupCounts lookup_counts;

}  // namespace

namespace ArkApi {

void* GetAddress(const std::string& name) {
  ++lookup_counts.functions;
  const auto found = Natives().find(name);
  return found == Natives().end() ? nullptr : found->second;
}

std::uint64_t GetAddress(const void* object, const std::string& name) {
  ++lookup_counts.fields;
  const auto found = FieldOffsets().find(name);
  if (found == FieldOffsets().end()) {
    return 0;
  }
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(object)) + found->second;
}

}  // namespace ArkApi

namespace dravelquin::testbed {

void RegisterNative(const std::string& name, void* entry) { Natives()[name] = entry; }

bool RemoveNative(const std::string& name) { return Natives().erase(name) > 0; }

void RegisterField(const std::string& name, std::uint64_t offset) {
  FieldOffsets()[name] = offset;
}

bool RemoveField(const std::string& name) { return FieldOffsets().erase(name) > 0; }

AddressLookupCounts GetAddressLookupCounts() { return lookup_counts; }

void ResetAddressLookupCounts() { lookup_counts = AddressLookupCounts{}; }

}  // namespace dravelquin::testbed

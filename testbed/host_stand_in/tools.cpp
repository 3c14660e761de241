// The host's tools and utilities: working directory, wide-text encoding and
// the world, as the driver sets them.

#include <string>

#include "host/ark_api.h"
#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"
#include "host_stand_in/text_encoding.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;

namespace {

std::string current_dir;
UWorld* current_world = nullptr;
testbed::WorldLookupCounts world_lookups;

class HostApiUtils final : public ArkApi::IApiUtils {
 public:
  UWorld* GetWorld() const override {
    ++world_lookups.worlds;
    return current_world;
  }
};

}  // namespace

namespace ArkApi {

IApiUtils& GetApiUtils() {
  ++world_lookups.api_utils;
  static HostApiUtils utils;
  return utils;
}

namespace Tools {

std::string GetCurrentDir() { return current_dir; }

std::string Utf8Encode(const std::wstring& text) { return testbed::host::Utf8FromWide(text); }

}  // namespace Tools

}  // namespace ArkApi

namespace dravelquin::testbed {

namespace host {

void ResetTools() {
  current_dir.clear();
  current_world = nullptr;
  world_lookups = WorldLookupCounts{};
}

}  // namespace host

void SetCurrentDir(const std::string& dir) { current_dir = dir; }

void SetWorld(UWorld* world) { current_world = world; }

WorldLookupCounts GetWorldLookupCounts() { return world_lookups; }

}  // namespace dravelquin::testbed

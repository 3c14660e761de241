#include "support/plugin_world.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "game/engine_allocator.h"

namespace dravelquin {

std::u16string FullNameOfKind(const std::u16string& name) {
  const std::string path = PathOfKind(Utf8FromUtf16(name));
  return Utf16FromUtf8(*FullNameOfBlueprintPath(path));
}

std::string PathOfKind(const std::string& name) {
  return "blueprint'/Game/Creatures/" + name + "/" + name + "_BP." + name + "_BP'";
}

std::string ConfigWith(const std::string& dinos, std::int32_t interval) {
  return "{\"General\":{\"CheckInterval\":" + std::to_string(interval) + "},\"Dinos\":" + dinos +
         "}";
}

void PluginWorldTest::LoadWithConfig(const std::string& config_text) {
  WriteConfig(config_text);
  ASSERT_TRUE(LoadPlugin());
}

void PluginWorldTest::Place(testbed::GameClass* kind, int count, std::int32_t team,
                            const std::u16string& name) {
  for (int i = 0; i < count; ++i) {
    testbed::PlaceCreature(kind, name, team);
  }
}

bool PluginWorldTest::SpawnIsDestroyed(testbed::GameClass* kind) {
  const testbed::SpawnResult result = testbed::SpawnCreature(kind, u"Newcomer", 0, 7);
  EXPECT_TRUE(result.completed);
  const bool destroyed = result.destroyed;
  EXPECT_EQ(destroyed ? 0 : 7, result.level);
  EXPECT_EQ(destroyed, !testbed::InWorld(result.creature));
  return destroyed;
}

std::size_t PluginWorldTest::AllocationCount() {
  std::size_t allocations = 0;
  for (const testbed::AllocatorCall& call : testbed::AllocatorCalls()) {
    allocations += call.kind == testbed::AllocatorCallKind::kFree ? 0 : 1;
  }
  return allocations;
}

}  // namespace dravelquin

// Warning about a kind of which the plug-in makes no blueprint path: its
// creatures could never match a config member, which was silent.

#include "common/text.h"
#include "sim/world.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/fstring.h"
#include "engine/naming.h"
#include "sim/scenario.h"
#include "support/testbed_fixture.h"

namespace dravelquin {

namespace {

using KindPaths = TestbedTest;

}  // namespace

TEST_F(KindPaths, WarnsOnlyOfAFullNameThatGivesNoPath) {
  const std::vector<sim::ScenarioKind> kinds = {
      // A full name as the game reports it: a path.
      {"raptor", "Raptor_BP_C /Game/Raptor/Raptor_BP.Default__Raptor_BP_C", {}},
      // A full name without the space before the object path: none.
      {"dodo", "Dodo_BP_C", {}},
      // Made from a dump's blueprint path: a path.
      {"rex", *FullNameOfBlueprintPath("blueprint'/Game/Rex/Rex_BP.Rex_BP'"), {}},
  };
  const sim::SimWorld world(kinds);
  const std::vector<std::string> warnings = sim::KindsWithoutPath(kinds, world);
  ASSERT_EQ(1u, warnings.size());
  EXPECT_EQ(
      "warning: kind \"dodo\": the plug-in makes no blueprint path of the full name "
      "\"Dodo_BP_C\", so no config member caps it; give its \"blueprint_path\" as the dump "
      "shows it",
      warnings[0]);
}

TEST_F(KindPaths, BlueprintPathComesBackFromTheFullNameMadeOfIt) {
  // The plug-in's own path building, run on the made full name, gives the
  // path given.
  const std::string path = "blueprint'/Game/Creatures/Dodo/Dodo_BP.Dodo_BP'";
  const sim::SimWorld world({{"dodo", *FullNameOfBlueprintPath(path), {}}});
  FString made = BlueprintPathOf(world.DefaultObjectOf(0));
  EXPECT_EQ(path, ToNarrow(made));
  Release(made);
}

}  // namespace dravelquin

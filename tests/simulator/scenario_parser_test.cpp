// Checking scenario files: every refusal names the step and the field, and
// what is accepted comes out with its defaults.

#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace dravelquin {

namespace {

const char* const kKinds =
    R"("kinds": {"raptor": {"full_name": "Raptor_BP_C /Game/Raptor_BP.Default__Raptor_BP_C"}})";

// The error a scenario is refused with, or "" when it is accepted.
std::string ErrorOf(const std::string& text) {
  try {
    sim::ParseScenario(text);
  } catch (const sim::ScenarioError& error) {
    return error.what();
  }
  return "";
}

std::string WithSteps(const std::string& steps) {
  return std::string("{") + kKinds + R"(, "steps": [)" + steps + "]}";
}

template <typename Action>
Action OnlyStep(const std::string& step) {
  return std::get<Action>(sim::ParseScenario(WithSteps(step)).steps.at(0).action);
}

}  // namespace

TEST(ScenarioRefusal, InvalidJsonCarriesTheParsersMessage) {
  EXPECT_EQ(
      "invalid JSON: [json.exception.parse_error.101] parse error at line 1, column 2: syntax "
      "error while parsing object key - unexpected end of input; expected string literal",
      ErrorOf("{"));
  // A number past every double is refused as such, not left to end the run.
  EXPECT_EQ(
      "a number beyond the range of a double: [json.exception.out_of_range.406] number overflow "
      "parsing '2e308'",
      ErrorOf(R"({"steps": [{"do": "run", "hours": 2e308}]})"));
  // Text that is not UTF-8, here a code point past U+10FFFF, is refused
  // before any name reaches the simulator's decoding.
  const std::string past_unicode =
      "invalid JSON: [json.exception.parse_error.101] parse error at line 1, column 15: syntax "
      "error while parsing object key - invalid string: ill-formed UTF-8 byte";
  EXPECT_EQ(past_unicode,
            ErrorOf("{\"kinds\": {\"r\xF4\x90\x80\x80\": {\"full_name\": \"R x\"}}, \"steps\": []}")
                .substr(0, past_unicode.size()));
}

TEST(ScenarioRefusal, TopLevelMustBeAnObject) {
  EXPECT_EQ("the scenario must be a JSON object, got an array", ErrorOf("[]"));
}

TEST(ScenarioRefusal, StepsAreRequired) { EXPECT_EQ("field \"steps\": missing", ErrorOf("{}")); }

TEST(ScenarioRefusal, MistypedTopLevelFieldIsUnknown) {
  EXPECT_EQ("field \"config_txt\": unknown field; did you mean \"config_text\"?",
            ErrorOf(R"({"steps": [], "config_txt": "{}"})"));
}

TEST(ScenarioRefusal, ConfigAndConfigTextExcludeEachOther) {
  EXPECT_EQ("field \"config_text\": cannot be given together with \"config\"",
            ErrorOf(R"({"steps": [], "config": {}, "config_text": "{}"})"));
}

TEST(ScenarioRefusal, StepThatIsNotAnObjectIsNamedByIndex) {
  EXPECT_EQ("step 1: expected an object, got 3", ErrorOf(WithSteps(R"({"do": "load"}, 3)")));
}

TEST(ScenarioRefusal, StepWithoutVerb) {
  EXPECT_EQ("step 0: field \"do\": missing", ErrorOf(WithSteps("{}")));
}

TEST(ScenarioRefusal, MistypedStepFieldIsUnknown) {
  EXPECT_EQ("step 0 (\"tick\"): field \"cuont\": unknown field; did you mean \"count\"?",
            ErrorOf(WithSteps(R"({"do": "tick", "cuont": 2})")));
}

TEST(ScenarioRefusal, KindWithoutFullName) {
  EXPECT_EQ("kind \"raptor\": field \"full_name\": missing (or give \"blueprint_path\")",
            ErrorOf(R"({"kinds": {"raptor": {}}, "steps": []})"));
}

TEST(ScenarioRefusal, NameListEntryOfWrongTypeIsNamedByPosition) {
  EXPECT_EQ(
      "kind \"raptor\": field \"names[1]\": expected a string, got 7",
      ErrorOf(R"({"kinds": {"raptor": {"full_name": "R x", "names": ["a", 7]}}, "steps": []})"));
}

TEST(ScenarioRefusal, NegativeAndFractionalCounts) {
  EXPECT_EQ(
      "step 0 (\"place\"): field \"count\": expected a whole number from 0 to 1000000, "
      "got -1",
      ErrorOf(WithSteps(R"({"do": "place", "kind": "raptor", "count": -1})")));
  EXPECT_EQ(
      "step 0 (\"place\"): field \"count\": expected a whole number from 0 to 1000000, "
      "got 1.5",
      ErrorOf(WithSteps(R"({"do": "place", "kind": "raptor", "count": 1.5})")));
}

TEST(ScenarioRefusal, TeamBeyond32Bits) {
  EXPECT_EQ(
      "step 0 (\"spawn\"): field \"team\": expected a whole number from -2147483648 to "
      "2147483647, got 2147483648",
      ErrorOf(WithSteps(R"({"do": "spawn", "kind": "raptor", "team": 2147483648})")));
}

TEST(ScenarioRefusal, UnknownPlayer) {
  EXPECT_EQ(
      "step 0 (\"command\"): field \"player\": unknown player \"root\" (known: admin, "
      "player, no_character, no_state, none)",
      ErrorOf(WithSteps(R"({"do": "command", "player": "root"})")));
}

TEST(ScenarioRefusal, ClockNeedsExactlyOneOfAdvanceAndSet) {
  EXPECT_EQ("step 0 (\"clock\"): field \"advance\": missing (or give \"set\")",
            ErrorOf(WithSteps(R"({"do": "clock"})")));
  EXPECT_EQ("step 0 (\"clock\"): field \"set\": cannot be given together with \"advance\"",
            ErrorOf(WithSteps(R"({"do": "clock", "advance": 1, "set": 1})")));
}

TEST(ScenarioRefusal, ClockMovedPastItsRangeByEarlierSteps) {
  EXPECT_EQ(
      "step 1 (\"run\"): field \"hours\": moves the clock to 900000003600, beyond its "
      "range of 1970 plus or minus 900000000000 seconds",
      ErrorOf(std::string("{") + kKinds + R"(, "start_time": 899999999999, "steps": [)" +
              R"({"do": "clock", "advance": 1}, {"do": "run", "hours": 1}]})"));
}

TEST(ScenarioRefusal, RunShorterThanOneTick) {
  EXPECT_EQ("step 0 (\"run\"): field \"hours\": shorter than one tick of 60 seconds",
            ErrorOf(WithSteps(R"({"do": "run", "hours": 0.01})")));
  // A tick takes a second at least.
  EXPECT_EQ(
      "step 0 (\"run\"): field \"tick_seconds\": expected a whole number from 1 to "
      "2147483647, got 0",
      ErrorOf(WithSteps(R"({"do": "run", "hours": 1, "tick_seconds": 0})")));
}

TEST(ScenarioRefusal, DeathFractionAboveOne) {
  EXPECT_EQ(
      "step 0 (\"run\"): field \"death_per_hour.raptor\": expected a number from 0 to 1, "
      "got 1.5",
      ErrorOf(WithSteps(R"({"do": "run", "hours": 1, "death_per_hour": {"raptor": 1.5}})")));
}

TEST(ScenarioRefusal, SpawnRateForUnknownKind) {
  EXPECT_EQ("step 0 (\"run\"): field \"spawn_per_hour.dodo\": unknown kind \"dodo\"",
            ErrorOf(WithSteps(R"({"do": "run", "hours": 1, "spawn_per_hour": {"dodo": 1}})")));
  // A name holding a line end or a quote is shown with JSON's escapes, so the
  // reason stays one line.
  EXPECT_EQ("step 0 (\"run\"): field \"spawn_per_hour.d\\n\\\"o\": unknown kind \"d\\n\\\"o\"",
            ErrorOf(WithSteps(R"({"do": "run", "hours": 1, "spawn_per_hour": {"d\n\"o": 1}})")));
  // So is a name in the place of a repeated member.
  EXPECT_EQ("kinds.a\\tb: \"x\" is given twice",
            ErrorOf(R"({"kinds": {"a\tb": {"x": 1, "x": 2}}, "steps": []})"));
}

TEST(ScenarioAccepted, CommentsAreAllowedAtEveryLevel) {
  EXPECT_EQ("", ErrorOf(R"({"comment": 1, "kinds": {"raptor": {"full_name": "R x", "comment": []}},
                           "steps": [{"do": "load", "comment": "first"}]})"));
}

TEST(ScenarioAccepted, SpawnDefaults) {
  const auto spawn = OnlyStep<sim::SpawnStep>(R"({"do": "spawn", "kind": "raptor"})");
  EXPECT_EQ("", spawn.name);
  EXPECT_EQ(0, spawn.team);
  EXPECT_EQ(1, spawn.count);
  EXPECT_EQ(1, spawn.level);
}

TEST(ScenarioAccepted, TameDefaultsToTheFirstTamedTeam) {
  EXPECT_EQ(50000, OnlyStep<sim::TameStep>(R"({"do": "tame", "kind": "raptor"})").team);
}

TEST(ScenarioAccepted, CommandDefaultsToAnAdministratorsDebugspawn) {
  const auto command = OnlyStep<sim::CommandStep>(R"({"do": "command"})");
  EXPECT_EQ("debugspawn", command.text);
  EXPECT_EQ(sim::PlayerChoice::kAdmin, command.player);
}

TEST(ScenarioAccepted, RunCountsWholeTicksAndSpreadsOneDeathFractionOverEveryKind) {
  const auto run = OnlyStep<sim::RunStep>(R"({"do": "run", "hours": 1.01, "death_per_hour": 0.5})");
  EXPECT_EQ(60, run.tick_seconds);
  EXPECT_EQ(60, run.ticks);
  EXPECT_EQ(1u, run.seed);
  EXPECT_EQ(std::vector<double>{0.5}, run.death_per_hour);
  EXPECT_EQ(std::vector<double>{0.0}, run.spawn_per_hour);
  // A whole number of ticks written in decimal counts whole, though 2.05 h
  // is a hair under 123 minutes in binary.
  EXPECT_EQ(123, OnlyStep<sim::RunStep>(R"({"do": "run", "hours": 2.05})").ticks);
}

TEST(ScenarioAccepted, SeedTakesTheWhole64Bits) {
  EXPECT_EQ(
      18446744073709551615u,
      OnlyStep<sim::RunStep>(R"({"do": "run", "hours": 1, "seed": 18446744073709551615})").seed);
}

TEST(ScenarioAccepted, ConfigTextIsKeptByteForByte) {
  const std::string text = "\xEF\xBB\xBF{\"Dinos\": {}} and then some";
  const sim::Scenario scenario =
      sim::ParseScenario(R"({"config_text": "\ufeff{\"Dinos\": {}} and then some", "steps": []})");
  EXPECT_EQ(sim::ConfigSource::kText, scenario.config.source);
  EXPECT_EQ(text, scenario.config.text);
}

TEST(ScenarioAccepted, WriteConfigTakesADocumentOrTextAndNeedsOne) {
  // Text is kept byte for byte, a document written as JSON.
  EXPECT_EQ("{\"Dinos\": ", OnlyStep<sim::WriteConfigStep>(
                                R"({"do": "write_config", "config_text": "{\"Dinos\": "})")
                                .config.text);
  EXPECT_EQ(
      sim::ConfigSource::kDocument,
      OnlyStep<sim::WriteConfigStep>(R"({"do": "write_config", "config": null})").config.source);
  // Neither, or both, is refused.
  EXPECT_EQ(
      "step 0 (\"write_config\"): field \"config\": missing: give the config as \"config\" or as "
      "\"config_text\"",
      ErrorOf(WithSteps(R"({"do": "write_config"})")));
  EXPECT_NE("", ErrorOf(WithSteps(R"({"do": "write_config", "config": {}, "config_text": ""})")));
}

TEST(ScenarioAccepted, ConfigDocumentIsWrittenAsEquivalentJson) {
  const sim::Scenario scenario =
      sim::ParseScenario(R"({"config": {"General": {"CheckInterval": 60}}, "steps": []})");
  EXPECT_EQ(sim::ConfigSource::kDocument, scenario.config.source);
  EXPECT_EQ(sim::Json::parse(R"({"General": {"CheckInterval": 60}})"),
            sim::Json::parse(scenario.config.text));
}

namespace {

// A document nested `levels` deep under "config": [[[...]]].
std::string ConfigNested(std::size_t levels) {
  return R"({"steps": [], "config": )" + std::string(levels, '[') + std::string(levels, ']') + "}";
}

}  // namespace

TEST(ScenarioRefusal, NestingBeyondTheLimitIsRefusedWithoutBeingBuilt) {
  // Far beyond: refused at the limit, not built (building and writing it
  // crashed or wrote gigabytes).
  EXPECT_EQ("config: nested deeper than 100 levels, the most a scenario may have",
            ErrorOf(ConfigNested(100000)));
  // One past the limit: the top-level object is the first level.
  EXPECT_EQ("config: nested deeper than 100 levels, the most a scenario may have",
            ErrorOf(ConfigNested(100)));
  // At the limit: accepted.
  EXPECT_EQ("", ErrorOf(ConfigNested(99)));
}

TEST(ScenarioAccepted, ConfigDocumentIsWrittenCompactly) {
  // Indented text would grow with the square of the nesting.
  EXPECT_EQ("[[[]]]\n", sim::ParseScenario(ConfigNested(3)).config.text);
}

TEST(ScenarioRefusal, RepeatedNameIsRefusedWhereItStands) {
  // In a step: named by its place in the file.
  EXPECT_EQ(R"(steps[1]: "count" is given twice)",
            ErrorOf(WithSteps(R"({"do": "load"}, {"do": "tick", "count": 1, "count": 2})")));
  // At the top level.
  EXPECT_EQ(R"("steps" is given twice)", ErrorOf(R"({"steps": [], "steps": []})"));
  // Within a kind.
  EXPECT_EQ(R"(kinds.raptor: "names" is given twice)",
            ErrorOf(R"({"kinds": {"raptor": {"names": [], "names": []}}, "steps": []})"));
  // Inside an array, after scalars and an array: named by its own index.
  EXPECT_EQ(R"(config.x[3]: "a" is given twice)",
            ErrorOf(R"({"steps": [], "config": {"x": [1, "b", [2, 3], {"a": 1, "a": 2}]}})"));
  // The same name in two objects is no repetition.
  EXPECT_EQ("", ErrorOf(WithSteps(R"({"do": "tick", "count": 1}, {"do": "tick", "count": 2})")));
}

TEST(ScenarioRefusal, UnknownFieldFarFromAnyKnownGetsNoSuggestion) {
  EXPECT_EQ("step 0 (\"tick\"): field \"frequency\": unknown field",
            ErrorOf(WithSteps(R"({"do": "tick", "frequency": 2})")));
}

TEST(ScenarioRefusal, CreaturesBeyondTheLimits) {
  // One step: a count past a million (2147483647 exhausted memory).
  EXPECT_EQ(
      "step 0 (\"place\"): field \"count\": expected a whole number from 0 to 1000000, got "
      "2147483647",
      ErrorOf(WithSteps(R"({"do": "place", "kind": "raptor", "count": 2147483647})")));
  // Steps each within the limit, together beyond what the world may hold at
  // once; taming moves creatures but holds as many.
  std::string steps = R"({"do": "spawn", "kind": "raptor", "count": 1000000}, )"
                      R"({"do": "tame", "kind": "raptor", "count": 600000}, )"
                      R"({"do": "place", "kind": "raptor", "team": 60000, "count": 1000000})";
  EXPECT_EQ("", ErrorOf(WithSteps(steps)));
  EXPECT_EQ(
      "step 3 (\"place\"): field \"count\": brings the creatures in the world at once to more "
      "than 2000000 on average, the most it may hold",
      ErrorOf(WithSteps(steps + R"(, {"do": "place", "kind": "raptor", "count": 1})")));
  // A run that only spawns holds every creature it brings: just within at
  // 2000 an hour for 1000 hours, beyond for 1001.
  EXPECT_EQ(
      "",
      ErrorOf(WithSteps(R"({"do": "run", "hours": 1000, "spawn_per_hour": {"raptor": 2000}})")));
  EXPECT_EQ(
      "step 0 (\"run\"): field \"spawn_per_hour\": brings the creatures in the world at once to "
      "more than 2000000 on average, the most it may hold",
      ErrorOf(WithSteps(R"({"do": "run", "hours": 1001, "spawn_per_hour": {"raptor": 2000}})")));
  // With deaths a run holds only the level where deaths match spawns: a
  // month of 100000 spawns an hour, half of the wild dying each hour (about
  // 144000 at once, 72 million in all), after 1900000 placed.
  const std::string month =
      R"({"do": "place", "kind": "raptor", "count": 900000}, )"
      R"({"do": "place", "kind": "raptor", "team": 60000, "count": 1000000}, )"
      R"({"do": "run", "hours": 720, "spawn_per_hour": {"raptor": 100000}, "death_per_hour": 0.5})";
  EXPECT_EQ("", ErrorOf(WithSteps(month)));
  // Whatever the deaths, the creatures brought in over the whole scenario
  // stay within what its time allows.
  EXPECT_EQ(
      "step 0 (\"run\"): field \"spawn_per_hour\": brings the creatures of the scenario to "
      "more than 100000000, the most it may have",
      ErrorOf(WithSteps(
          R"({"do": "run", "hours": 1001, "spawn_per_hour": {"raptor": 100000}, "death_per_hour": 1})")));
}

TEST(ScenarioRefusal, TimerRoundsBeyondTheLimit) {
  // A run of a hundred million hours (it ran away).
  EXPECT_EQ(
      "step 0 (\"run\"): field \"hours\": brings the timer rounds of the scenario to "
      "6000000000, beyond the most it may have, 5256000",
      ErrorOf(WithSteps(R"({"do": "run", "hours": 100000000})")));
  // Tick steps count towards the same limit as runs.
  EXPECT_EQ(
      "step 1 (\"run\"): field \"hours\": brings the timer rounds of the scenario to 5256001, "
      "beyond the most it may have, 5256000",
      ErrorOf(WithSteps(R"({"do": "tick", "count": 1}, {"do": "run", "hours": 87600})")));
}

TEST(ScenarioAccepted, KindByBlueprintPath) {
  // The dump's first field becomes the full name the plug-in makes it from.
  const sim::Scenario scenario = sim::ParseScenario(
      R"({"kinds": {"dodo": {"blueprint_path": "blueprint'/Game/Dodo/Dodo_BP.Dodo_BP'"}}, "steps": []})");
  EXPECT_EQ("Dodo_BP_C /Game/Dodo/Dodo_BP.Default__Dodo_BP_C", scenario.kinds.at(0).full_name);
}

TEST(ScenarioRefusal, KindNamedAmiss) {
  // A blueprint path given as the full name (its creatures got an empty path).
  EXPECT_EQ(
      "kind \"dodo\": field \"full_name\": is a blueprint path, of which the plug-in makes "
      "no path; give it as \"blueprint_path\"",
      ErrorOf(
          R"({"kinds": {"dodo": {"full_name": "blueprint'/Game/Dodo/Dodo_BP.Dodo_BP'"}}, "steps": []})"));
  // Both names.
  EXPECT_EQ(
      "kind \"dodo\": field \"full_name\": cannot be given together with \"blueprint_path\"",
      ErrorOf(
          R"({"kinds": {"dodo": {"full_name": "A_C /A.Default__A_C", "blueprint_path": "blueprint'/A.A'"}}, "steps": []})"));
  // A blueprint path without an asset name.
  EXPECT_EQ(
      "kind \"dodo\": field \"blueprint_path\": expected blueprint'PACKAGE.ASSET' as the dump "
      "shows it, got \"blueprint'/Game/Dodo'\"",
      ErrorOf(R"({"kinds": {"dodo": {"blueprint_path": "blueprint'/Game/Dodo'"}}, "steps": []})"));
}

}  // namespace dravelquin

#include "game/game_world.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "game/game_state.h"
#include "game/native_shapes.h"
#include "host_stand_in/engine_layout.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::testbed {

namespace {

constexpr const char* kInitGameName = "AShooterGameMode.InitGame";
constexpr const char* kBaseLevelName = "APrimalDinoCharacter.GetRandomBaseLevel";

void OwnInitGame(AShooterGameMode* mode, FString* map_name, FString* options,
                 FString* error_message) {
  game::RaiseInjectedFault(kInitGameName);
  game::State().own_init_game_calls.Add(InitGameCall{mode, map_name, options, error_message});
}

std::int32_t OwnGetRandomBaseLevel(APrimalDinoCharacter* creature) {
  game::RaiseInjectedFault(kBaseLevelName);
  const auto* game_creature = FromOpaque<const GameCreature>(creature);
  game::State().own_base_level_calls.Add(game_creature);
  return game_creature->chosen_base_level;
}

static_assert(std::is_same_v<decltype(&OwnInitGame), game::InitGameShape>, "the game's call shape");
static_assert(std::is_same_v<decltype(&OwnGetRandomBaseLevel), game::GetRandomBaseLevelShape>,
              "the game's call shape");

// The patch points: the game calls its hookable functions through these
// entries, which hooks redirect.
void* init_game_entry = reinterpret_cast<void*>(&OwnInitGame);
void* base_level_entry = reinterpret_cast<void*>(&OwnGetRandomBaseLevel);

GameCreature* NewCreature(GameClass* kind, const std::u16string& descriptive_name,
                          std::int32_t team) {
  game::GameState& state = game::State();
  if (state.collect_at != 0 && state.departed.size() >= state.collect_at) {
    game::CollectDeparted();
  }
  game::CreatureRecord* record = state.creatures.Make();
  record->memory.object.klass = kind;
  record->memory.targeting_team = team;
  record->memory.descriptive_name = game::KeptName(descriptive_name);
  state.actors.Append(record);
  return &record->memory;
}

game::CreatureRecord& RecordOf(GameCreature* creature) {
  game::CreatureRecord* record = game::State().creatures.Find(creature);
  if (record == nullptr) {
    throw std::invalid_argument("not a creature of this game");
  }
  return *record;
}

bool MatchesWildness(const GameCreature& creature, Wildness wildness) {
  const bool wild = creature.targeting_team < kFirstTamedTeam;
  return wildness == Wildness::kAny || (wildness == Wildness::kWild) == wild;
}

}  // namespace

UWorld* World() { return AsOpaque<UWorld>(&game::State().world); }

GameClass* CreatureClass() { return &game::CreatureClassRecord().klass; }

GameClass* AddKind(const std::u16string& full_name) {
  game::State().kinds.push_back(game::MakeKindRecord(full_name));
  return &game::State().kinds.back()->klass;
}

void SetKindFullName(GameClass* kind, const std::u16string& full_name) {
  for (const auto& record : game::State().kinds) {
    if (&record->klass == kind) {
      record->full_name = full_name;
      return;
    }
  }
  throw std::invalid_argument("not a kind of this game");
}

GameCreature* PlaceCreature(GameClass* kind, const std::u16string& descriptive_name,
                            std::int32_t team) {
  return NewCreature(kind, descriptive_name, team);
}

void AddNullActor() { game::State().actors.Append(nullptr); }

SpawnResult SpawnCreature(GameClass* kind, const std::u16string& descriptive_name,
                          std::int32_t team, std::int32_t own_level) {
  SpawnResult result;
  result.creature = NewCreature(kind, descriptive_name, team);
  result.creature->chosen_base_level = own_level;
  static const std::string where = std::string("hook ") + kBaseLevelName;
  result.completed = RunHookRecordingErrors(where, [&result] {
    const auto base_level = reinterpret_cast<game::GetRandomBaseLevelShape>(base_level_entry);
    result.level = base_level(AsOpaque<APrimalDinoCharacter>(result.creature));
  });
  result.destroyed = !InWorld(result.creature);
  return result;
}

void SetDescriptiveName(GameCreature* creature, const std::u16string& descriptive_name) {
  RecordOf(creature).memory.descriptive_name = game::KeptName(descriptive_name);
}

void RetameCreature(GameCreature* creature, std::int32_t team) {
  RecordOf(creature).memory.targeting_team = team;
}

bool RemoveCreature(GameCreature* creature) { return game::TakeOutOfWorld(creature); }

bool InWorld(const GameCreature* creature) { return game::InTheWorld(creature); }

std::vector<GameCreature*> WorldActors() {
  const auto& actors = game::State().actors;
  return std::vector<GameCreature*>(actors.begin(), actors.end());
}

std::size_t CountCreatures(const GameClass* kind, Wildness wildness) {
  const auto& actors = game::State().actors;
  return static_cast<std::size_t>(
      std::count_if(actors.begin(), actors.end(), [kind, wildness](const GameCreature* creature) {
        return creature != nullptr && (kind == nullptr || creature->object.klass == kind) &&
               MatchesWildness(*creature, wildness);
      }));
}

InitGameOutcome InitGameMode() {
  static std::u16string map_name = u"TheIsland";
  static std::u16string options = u"?listen?MaxPlayers=70";
  static std::u16string error_message;
  EngineTextLayout map_layout = LayoutOver(map_name);
  EngineTextLayout options_layout = LayoutOver(options);
  EngineTextLayout error_layout = LayoutOver(error_message);

  InitGameOutcome outcome;
  outcome.passed =
      InitGameCall{AsOpaque<AShooterGameMode>(&game::State().mode), AsOpaque<FString>(&map_layout),
                   AsOpaque<FString>(&options_layout), AsOpaque<FString>(&error_layout)};
  outcome.completed = RunHookRecordingErrors(std::string("hook ") + kInitGameName, [&outcome] {
    const auto init_game = reinterpret_cast<game::InitGameShape>(init_game_entry);
    init_game(outcome.passed.mode, outcome.passed.map_name, outcome.passed.options,
              outcome.passed.error_message);
  });
  return outcome;
}

std::vector<DestroyCall> DestroyCalls() { return game::State().destroy_calls.Kept(); }

DefaultObjectRequests DefaultObjectRequestCounts() { return game::State().default_object_requests; }

std::uint64_t ActorQueryCount() { return game::State().actor_queries; }

std::vector<const GameCreature*> OwnBaseLevelCalls() {
  return game::State().own_base_level_calls.Kept();
}

std::vector<InitGameCall> OwnInitGameCalls() { return game::State().own_init_game_calls.Kept(); }

GameCallCounts CountGameCalls() {
  const game::GameState& state = game::State();
  return GameCallCounts{state.destroy_calls.Total(), state.own_base_level_calls.Total(),
                        state.own_init_game_calls.Total()};
}

void KeepLatestGameCalls(std::size_t most) {
  game::GameState& state = game::State();
  state.destroy_calls.Bound(most);
  state.own_base_level_calls.Bound(most);
  state.own_init_game_calls.Bound(most);
}

void ResetGame() {
  game::ClearState();
  game::RegisterNativesAndFields();
  RegisterHookable(kInitGameName, &init_game_entry);
  RegisterHookable(kBaseLevelName, &base_level_entry);
}

}  // namespace dravelquin::testbed

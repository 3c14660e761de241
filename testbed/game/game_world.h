#pragma once

// The game world as tests and the simulator drive it: creature kinds,
// creatures placed or spawned, the game mode's initialisation, and what the
// game's own functions saw. Calls into hooked functions go through their
// patch points, so a loaded plug-in's detours run; an exception leaving such
// a call is recorded as a callback error of "hook <function name>".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_objects.h"
#include "host/game_types.h"

namespace dravelquin::testbed {

// Creatures of a team below this number are wild.
constexpr std::int32_t kFirstTamedTeam = 50000;

enum class Wildness { kWild, kTamed, kAny };

// The world object the game's actor queries accept.
UWorld* World();

// The class "APrimalDinoCharacter.GetPrivateStaticClass" answers; asking
// for its actors lists every creature of the world.
GameClass* CreatureClass();

// A new kind of creature: a class whose default object has `full_name` as
// its full name (any text: normally class name, space, object path).
GameClass* AddKind(const std::u16string& full_name);
void SetKindFullName(GameClass* kind, const std::u16string& full_name);

// Puts a creature of the kind at the end of the world's list without any
// call of its base level.
GameCreature* PlaceCreature(GameClass* kind, const std::u16string& descriptive_name,
                            std::int32_t team);
// Puts a null entry at the end of the world's list.
void AddNullActor();

struct SpawnResult {
  GameCreature* creature = nullptr;
  std::int32_t level = 0;  // what GetRandomBaseLevel answered; 0 when it raised
  bool destroyed = false;  // the creature left the world during the call
  bool completed = false;  // no exception left the call
};

// Puts a creature at the end of the world's list and asks its random base
// level through the patch point; the game's own function answers `own_level`.
SpawnResult SpawnCreature(GameClass* kind, const std::u16string& descriptive_name,
                          std::int32_t team, std::int32_t own_level);

void SetDescriptiveName(GameCreature* creature, const std::u16string& descriptive_name);
void RetameCreature(GameCreature* creature, std::int32_t team);
// Takes the creature out of the world's list; false when it was not there.
bool RemoveCreature(GameCreature* creature);
bool InWorld(const GameCreature* creature);
// The world's list in order, null entries included.
std::vector<GameCreature*> WorldActors();
// Creatures in the world of the kind (any kind for null) and wildness.
std::size_t CountCreatures(const GameClass* kind, Wildness wildness);

struct InitGameCall {
  AShooterGameMode* mode = nullptr;
  FString* map_name = nullptr;
  FString* options = nullptr;
  FString* error_message = nullptr;

  bool operator==(const InitGameCall& other) const {
    return mode == other.mode && map_name == other.map_name && options == other.options &&
           error_message == other.error_message;
  }
};

struct InitGameOutcome {
  InitGameCall passed;     // what the game passed to the patch point
  bool completed = false;  // no exception left the call
};

// Initialises the game mode: calls "AShooterGameMode.InitGame" through its
// patch point with the game mode and the map name, options and error
// message strings.
InitGameOutcome InitGameMode();

struct DestroyCall {
  const void* actor;
  bool net_force;
  bool should_modify_level;
};

// "AActor.Destroy" calls, in order: every one since the reset, or the
// latest ones while KeepLatestGameCalls bounds them (as with the calls of the
// game's own functions below).
std::vector<DestroyCall> DestroyCalls();

// "UClass.GetDefaultObject" calls, counted by their create flag. Counted
// rather than listed: a census makes one per creature.
struct DefaultObjectRequests {
  std::uint64_t creating = 0;      // create flag true
  std::uint64_t not_creating = 0;  // create flag false
};
DefaultObjectRequests DefaultObjectRequestCounts();
// "UGameplayStatics.GetAllActorsOfClass" calls.
std::uint64_t ActorQueryCount();
// Creatures for which the game's own GetRandomBaseLevel ran, in order.
std::vector<const GameCreature*> OwnBaseLevelCalls();
// Arguments the game's own InitGame got, per run.
std::vector<InitGameCall> OwnInitGameCalls();

// The calls above since the reset, each counted whether kept or not.
struct GameCallCounts {
  std::uint64_t destroys = 0;
  std::uint64_t own_base_levels = 0;
  std::uint64_t own_init_games = 0;
};
GameCallCounts CountGameCalls();

// Keeps only the latest `most` of each kind of call above, so that a run of
// months holds as many as a run of minutes; 0 keeps every call, as after a
// reset.
void KeepLatestGameCalls(std::size_t most);

// Empties the world and forgets kinds, players, records and native faults,
// then registers every native, field and hookable function with the host
// again (undoing removals).
void ResetGame();

}  // namespace dravelquin::testbed

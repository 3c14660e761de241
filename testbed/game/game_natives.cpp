// The game's natives, each with its call shape as the game defines it, and
// the fields the plug-in reads, registered with the host by name.

#include "game/game_natives.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/engine_allocator.h"
#include "game/engine_values.h"
#include "game/game_state.h"
#include "game/native_shapes.h"
#include "host_stand_in/testbed_host.h"

namespace dravelquin::testbed::game {

namespace {

void* Malloc(std::size_t bytes, std::uint32_t alignment) {
  RaiseInjectedFault("FMemory.Malloc");
  return EngineMalloc(bytes, alignment);
}

void* Realloc(void* block, std::size_t bytes) {
  RaiseInjectedFault("FMemory.Realloc");
  return EngineRealloc(block, bytes);
}

void Free(void* block) {
  RaiseInjectedFault("FMemory.Free");
  EngineFree(block);
}

// Every kind's default object exists from the start, so the create flag
// changes nothing here; it is counted, so that the caller's flag is seen.
UObject* GetDefaultObject(UClass* klass, bool create_if_needed) {
  RaiseInjectedFault("UClass.GetDefaultObject");
  DefaultObjectRequests& requests = State().default_object_requests;
  ++(create_if_needed ? requests.creating : requests.not_creating);
  const auto* game_class = FromOpaque<const GameClass>(klass);
  return game_class == nullptr ? nullptr : AsOpaque<UObject>(game_class->default_object);
}

const std::u16string& TextOrEmpty(const std::u16string* text) {
  static const std::u16string empty;
  return text == nullptr ? empty : *text;
}

void GetFullName(const UObject* object, FString* out, const UObject* /*stop_outer*/) {
  RaiseInjectedFault("UObjectBaseUtility.GetFullName");
  const auto* game_object = FromOpaque<const GameObject>(object);
  AssignEngineText(*FromOpaque<EngineTextLayout>(out),
                   TextOrEmpty(game_object == nullptr ? nullptr : game_object->full_name));
}

void GetDinoDescriptiveName(APrimalDinoCharacter* creature, FString* out) {
  RaiseInjectedFault("APrimalDinoCharacter.GetDinoDescriptiveName");
  const auto* game_creature = FromOpaque<const GameCreature>(creature);
  AssignEngineText(
      *FromOpaque<EngineTextLayout>(out),
      TextOrEmpty(game_creature == nullptr ? nullptr : game_creature->descriptive_name));
}

UClass* GetPrivateStaticClass() {
  RaiseInjectedFault("APrimalDinoCharacter.GetPrivateStaticClass");
  return AsOpaque<UClass>(&CreatureClassRecord().klass);
}

// The world's actors of the class: every entry for the creature class, the
// creatures of a kind for a kind's class, none for any other class or world.
std::vector<void*> ActorsOf(const UWorld* world, const UClass* klass) {
  const GameState& state = State();
  std::vector<void*> found;
  if (world != AsOpaque<const UWorld>(&state.world)) {
    return found;
  }
  const auto* game_class = FromOpaque<const GameClass>(klass);
  const bool every_creature = game_class == &CreatureClassRecord().klass;
  for (GameCreature* creature : state.actors) {
    if (every_creature || (creature != nullptr && creature->object.klass == game_class)) {
      found.push_back(creature);
    }
  }
  return found;
}

void GetAllActorsOfClass(UWorld* world, UClass* klass, EngineArrayLayout<AActor*>* out) {
  RaiseInjectedFault("UGameplayStatics.GetAllActorsOfClass");
  ++State().actor_queries;
  AssignEnginePointers(*FromOpaque<EngineArrayLayout<void*>>(out), ActorsOf(world, klass));
}

bool Destroy(AActor* actor, bool net_force, bool should_modify_level) {
  RaiseInjectedFault("AActor.Destroy");
  GameState& state = State();
  state.destroy_calls.Add(DestroyCall{actor, net_force, should_modify_level});
  return TakeOutOfWorld(actor);
}

AShooterCharacter* GetPlayerCharacter(AShooterPlayerController* controller) {
  RaiseInjectedFault("AShooterPlayerController.GetPlayerCharacter");
  const auto* game_controller = FromOpaque<const GameController>(controller);
  return game_controller == nullptr ? nullptr
                                    : AsOpaque<AShooterCharacter>(game_controller->character);
}

template <typename Shape, typename Actual>
void Register(const char* name, Actual function) {
  static_assert(std::is_same_v<Shape, Actual>, "the native has the game's call shape");
  RegisterNative(name, reinterpret_cast<void*>(function));
}

}  // namespace

void RegisterNativesAndFields() {
  Register<MallocShape>("FMemory.Malloc", &Malloc);
  Register<ReallocShape>("FMemory.Realloc", &Realloc);
  Register<FreeShape>("FMemory.Free", &Free);
  Register<GetDefaultObjectShape>("UClass.GetDefaultObject", &GetDefaultObject);
  Register<GetFullNameShape>("UObjectBaseUtility.GetFullName", &GetFullName);
  Register<GetDinoDescriptiveNameShape>("APrimalDinoCharacter.GetDinoDescriptiveName",
                                        &GetDinoDescriptiveName);
  Register<GetPrivateStaticClassShape>("APrimalDinoCharacter.GetPrivateStaticClass",
                                       &GetPrivateStaticClass);
  Register<GetAllActorsOfClassShape>("UGameplayStatics.GetAllActorsOfClass", &GetAllActorsOfClass);
  Register<DestroyShape>("AActor.Destroy", &Destroy);
  Register<GetPlayerCharacterShape>("AShooterPlayerController.GetPlayerCharacter",
                                    &GetPlayerCharacter);

  RegisterField("UObjectBase.Class", offsetof(GameObject, klass));
  RegisterField("AActor.TargetingTeam", offsetof(GameCreature, targeting_team));
  RegisterField("AController.PlayerState", offsetof(GameController, player_state));
  RegisterField("AShooterCharacter.bIsServerAdmin", offsetof(GameCharacter, is_server_admin));
}

}  // namespace dravelquin::testbed::game

namespace dravelquin::testbed {

void MakeNativeThrow(const std::string& name, const std::string& message) {
  game::State().throwing_natives[name] = message;
}

}  // namespace dravelquin::testbed

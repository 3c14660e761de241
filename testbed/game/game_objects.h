#pragma once

// The game's objects in memory. The plug-in reaches their fields only by
// name, through the host's field offsets, so each field it reads lies at a
// real offset inside a real object; the other members are the game's own.

#include <cstdint>
#include <string>
#include <type_traits>

#include "host/game_types.h"

namespace dravelquin::testbed {

struct GameClass;

struct GameObject {
  std::uint64_t object_flags = 0;             // stands where the engine keeps its own header
  GameClass* klass = nullptr;                 // "UObjectBase.Class"
  const std::u16string* full_name = nullptr;  // what GetFullName gives; null: empty text
};

struct GameClass {
  GameObject object;
  GameObject* default_object = nullptr;
};

struct GameCreature {
  GameObject object;
  std::int32_t chosen_base_level = 0;  // what the game's own GetRandomBaseLevel answers
  std::int32_t targeting_team = 0;     // "AActor.TargetingTeam"
  const std::u16string* descriptive_name = nullptr;
};

struct GamePlayerState {
  GameObject object;
};

struct GameCharacter {
  GameObject object;
  std::uint8_t movement_flags = 0;
  std::uint8_t is_server_admin = 0;  // "AShooterCharacter.bIsServerAdmin"
};

struct GameController {
  GameObject object;
  GamePlayerState* player_state = nullptr;  // "AController.PlayerState"
  GameCharacter* character = nullptr;
};

struct GameWorld {
  GameObject object;
};

struct GameMode {
  GameObject object;
};

static_assert(std::is_standard_layout_v<GameCreature> && std::is_standard_layout_v<GameCharacter> &&
                  std::is_standard_layout_v<GameController> && std::is_standard_layout_v<GameClass>,
              "fields are reached by offset");

// The opaque types the host's and the plug-in's interfaces use stand for
// these objects; the casts below cross between the two views.
template <typename Opaque, typename Object>
Opaque* AsOpaque(Object* object) {
  return reinterpret_cast<Opaque*>(object);
}

template <typename Object, typename Opaque>
Object* FromOpaque(Opaque* opaque) {
  return reinterpret_cast<Object*>(opaque);
}

}  // namespace dravelquin::testbed

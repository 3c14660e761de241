#pragma once

// Names built from game objects: the blueprint path that identifies a
// creature's kind, and the readable name the dump lists.

#include "engine/fstring.h"
#include "host/game_types.h"

namespace dravelquin {

// "blueprint'" + the object path of the object's class default object + "'":
// the default object's full name after its first space, less a final "_C"
// (exact case), with every "Default__" taken out. A null object, or a full
// name without a space, gives {null, 0, 0}.
// Example: "Bird_C /Game/Bird.Default__Bird_C" -> "blueprint'/Game/Bird.Bird'".
FString BlueprintPathOf(const void* object);

// The creature's descriptive name up to its first hyphen (leading hyphens
// skipped), with the words 一只, 青年, 幼崽 and 婴儿 (each followed by a space)
// removed in that order. Spaces are not trimmed. A null creature, or a name
// with no piece between hyphens, gives {null, 0, 0}.
// Example: "一只 Raptor - Lvl 3" -> "Raptor ".
FString DinoDisplayName(APrimalDinoCharacter* creature);

}  // namespace dravelquin

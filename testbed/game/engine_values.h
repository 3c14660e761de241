#pragma once

// Filling the engine strings and arrays that the game hands back to the
// plug-in, with storage from the game's allocator.

#include <string>
#include <vector>

#include "host_stand_in/engine_layout.h"

namespace dravelquin::testbed::game {

// Sets `out` to the text: count = length + 1 with a zero unit after the text,
// capacity exactly count when the block must grow; the empty text leaves
// {null, 0, 0}, freeing a block `out` held. Raises std::bad_alloc when the
// allocator gives no block.
void AssignEngineText(EngineTextLayout& out, const std::u16string& text);

// Sets `out` to the pointers, reusing its block when it is large enough and
// otherwise growing it to exactly their number. Raises std::bad_alloc when
// the allocator gives no block.
void AssignEnginePointers(EngineArrayLayout<void*>& out, const std::vector<void*>& pointers);

}  // namespace dravelquin::testbed::game

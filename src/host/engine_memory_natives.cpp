// The engine allocator as the plug-in reaches it in the game: each call looks
// its native up again by name through the host.

#include <new>
#include <string>

#include "host/ark_api.h"
#include "host/engine_memory.h"
#include "host/game.h"

namespace dravelquin {

void* EngineMalloc(std::size_t bytes) { return Native<MallocFn>(GameFunction::kMalloc)(bytes, 0); }

void* EngineRealloc(void* block, std::size_t bytes) {
  return Native<ReallocFn>(GameFunction::kRealloc)(block, bytes);
}

namespace {

// Short enough for the string's own storage: making it cannot fail. Never
// destroyed: statics destroyed when the library unloads (the census table's
// keys) still free their blocks through it after the statics made after it
// are gone.
const std::string& FreeName() noexcept {
  alignas(std::string) static unsigned char storage[sizeof(std::string)];
  static const std::string* const name = new (storage) std::string("FMemory.Free");
  return *name;
}

}  // namespace

void EngineFree(void* block) noexcept {
  void* free_address = ArkApi::GetAddress(FreeName());
  if (free_address != nullptr) {
    reinterpret_cast<FreeFn>(free_address)(block);
  }
}

}  // namespace dravelquin

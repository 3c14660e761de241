#include "plugin/host/game.h"

#include <stdexcept>
#include <string>

#include "plugin/host/ark_api.h"

void* NativeAddress(const char* name) {
  void* address = ArkApi::GetAddress(std::string(name));
  if (address == nullptr) {
    throw std::runtime_error(std::string("game function not found: ") + name);
  }
  return address;
}

void* FieldAddress(const void* object, const char* name) {
  const std::uint64_t address = ArkApi::GetAddress(object, std::string(name));
  if (address == 0) {
    throw std::runtime_error(std::string("game field not found: ") + name);
  }
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(address));
}

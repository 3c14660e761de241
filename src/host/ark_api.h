#pragma once

// The host plug-in API as the plug-in imports it: eight functions of the host
// library and the three service interfaces they hand out.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <spdlog/sinks/sink.h>

#include "host/game_types.h"
#include "host/host_export.h"

namespace ArkApi {

// Routes named game functions through detours.
class IHooks {
 public:
  virtual ~IHooks() = default;
  // Stops routing the named game function through the detour.
  virtual bool DisableHook(const std::string& func_name, void* detour) = 0;
  // Routes every call of the named game function to the detour and stores in
  // *original a pointer through which the detour reaches the game's own function.
  virtual bool SetHook(const std::string& func_name, void* detour, void** original) = 0;
};

using ConsoleCommandCallback = std::function<void(APlayerController*, dravelquin::FString*, bool)>;
using TimerCallback = std::function<void()>;

// Console commands and timer callbacks. The host copies names and callbacks.
class ICommands {
 public:
  virtual ~ICommands() = default;
  virtual void AddConsoleCommand(const dravelquin::FString& command,
                                 const ConsoleCommandCallback& callback) = 0;
  virtual void AddOnTimerCallback(const dravelquin::FString& key,
                                  const TimerCallback& callback) = 0;
  virtual bool RemoveConsoleCommand(const dravelquin::FString& command) = 0;
  virtual bool RemoveOnTimerCallback(const dravelquin::FString& key) = 0;
};

class IApiUtils {
 public:
  virtual ~IApiUtils() = default;
  // The world, passed as world context to the game's actor queries.
  virtual UWorld* GetWorld() const = 0;
};

using LogSinks = std::vector<std::shared_ptr<spdlog::sinks::sink>>;

ARKAPI_API IHooks& GetHooks();
ARKAPI_API ICommands& GetCommands();
ARKAPI_API IApiUtils& GetApiUtils();
ARKAPI_API LogSinks& GetLogSinks();
// Entry address of the game function "Class.Member", or null when the game has none.
ARKAPI_API void* GetAddress(const std::string& name);
// Address of the field "Class.Member" inside the object, or 0 when the game has none.
ARKAPI_API std::uint64_t GetAddress(const void* object, const std::string& name);

namespace Tools {
// The server's working directory, without a trailing separator.
ARKAPI_API std::string GetCurrentDir();
// The UTF-8 form of a wide string.
ARKAPI_API std::string Utf8Encode(const std::wstring& text);
}  // namespace Tools

}  // namespace ArkApi

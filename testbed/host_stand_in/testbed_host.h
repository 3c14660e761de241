#pragma once

// The driver side of the stand-in host: what the game stand-in, the tests and
// the simulator use to play the server's part around the loaded plug-in.
// Everything here runs on one thread, as the host calls the plug-in one call
// at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "host/game_types.h"
#include "host/host_export.h"

namespace dravelquin::testbed {

// ---------------------------------------------------------------------------
// Game functions and fields, as the game registers them for name lookup.

// Makes ArkApi::GetAddress(name) answer `entry`; replaces an earlier entry.
ARKAPI_API void RegisterNative(const std::string& name, void* entry);
// Forgets the function; false when it was not registered.
ARKAPI_API bool RemoveNative(const std::string& name);
// Makes ArkApi::GetAddress(object, name) answer object + `offset`.
ARKAPI_API void RegisterField(const std::string& name, std::uint64_t offset);
// Forgets the field; false when it was not registered.
ARKAPI_API bool RemoveField(const std::string& name);

// Makes the function named `name` hookable. The game calls it through
// *entry, which holds the game's own function until a hook replaces it.
// Registering a name again drops the hooks on the old entry and restores it.
ARKAPI_API void RegisterHookable(const std::string& name, void** entry);
// Restores the entry to the game's own function and forgets it; false when
// the name was not registered.
ARKAPI_API bool RemoveHookable(const std::string& name);
// Number of detours currently set on the named function (0 for unknown names).
ARKAPI_API std::size_t HookCount(const std::string& name);

// Calls of ArkApi::GetAddress, per overload, since the last reset.
struct AddressLookupCounts {
  std::uint64_t functions = 0;
  std::uint64_t fields = 0;
};
ARKAPI_API AddressLookupCounts GetAddressLookupCounts();
ARKAPI_API void ResetAddressLookupCounts();

// ---------------------------------------------------------------------------
// What the plug-in did with the host, in call order.

// Binding events such as "SetHook AShooterGameMode.InitGame",
// "AddOnTimerCallback dravelquin", "RemoveConsoleCommand debugspawn".
// A call the host refused ends in " failed".
ARKAPI_API std::vector<std::string> Journal();
ARKAPI_API void ClearJournal();

// An exception that left a callback of the plug-in: `where` names the entry
// ("timer dravelquin", "command debugspawn", "hook <function name>"), `what`
// is the exception's what(), or "unknown exception" for anything else.
struct CallbackError {
  std::string where;
  std::string what;
};
ARKAPI_API void RecordCallbackError(const std::string& where, const std::string& what);
// Returns the errors recorded so far, oldest first, and forgets them.
ARKAPI_API std::vector<CallbackError> TakeCallbackErrors();

// Runs `call`; an exception that leaves it is recorded as a callback error
// of `where` and goes no further. Returns whether the call completed.
template <typename Call>
bool RunRecordingErrors(const std::string& where, Call&& call) {
  try {
    call();
    return true;
  } catch (const std::exception& error) {
    RecordCallbackError(where, error.what());
  } catch (...) {
    RecordCallbackError(where, "unknown exception");
  }
  return false;
}

// The time the plug-in's callbacks take, for benchmarks of whole runs: each
// timer callback that RunTimers runs, and each call of a hooked game
// function that the game makes through RunHookRecordingErrors. Measured
// only while on, since reading the clock costs about what a small callback
// does. A reset sets the times to zero and leaves the switch as it is, so
// that a benchmark turns it on before a run starts its fresh server.
struct CallbackTime {
  std::uint64_t calls = 0;
  std::int64_t nanoseconds = 0;
};
struct CallbackTimes {
  CallbackTime hooks;   // calls of hooked game functions
  CallbackTime timers;  // timer callbacks
};
ARKAPI_API void TimeCallbacks(bool on);
ARKAPI_API bool CallbacksTimed();
ARKAPI_API CallbackTimes GetCallbackTimes();
ARKAPI_API void AddHookTime(std::int64_t nanoseconds);

// RunRecordingErrors for the game's call of one of its hooked functions,
// timed while callbacks are.
template <typename Call>
bool RunHookRecordingErrors(const std::string& where, Call&& call) {
  if (!CallbacksTimed()) {
    return RunRecordingErrors(where, call);
  }
  const auto start = std::chrono::steady_clock::now();
  const bool completed = RunRecordingErrors(where, call);
  AddHookTime(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count());
  return completed;
}

// Lines that the loggers over the host's sinks wrote, formatted, without the
// line ending.
ARKAPI_API std::vector<std::string> LogLines();

// Calls of flush() on the host's sinks, and how many of LogLines() had been
// written at the latest one: those are flushed, any later one is not.
struct LogFlushes {
  std::size_t calls = 0;
  std::size_t lines_flushed = 0;
};
ARKAPI_API LogFlushes GetLogFlushes();

// Writes `text` at level info through the host's own logger over its sinks,
// whose pattern makes the line "[ArkApi] info: <text>".
ARKAPI_API void WriteHostLogLine(const std::string& text);

// ---------------------------------------------------------------------------
// Console commands and timers.

// Runs the console line as typed by `controller` (which may be null): every
// command whose name equals the line's first word (ASCII letters compared
// without regard to case) gets the controller, the whole line as its text
// and false. Errors leaving a command are recorded. Returns whether any
// command was registered under that word.
ARKAPI_API bool RunConsoleCommand(APlayerController* controller, std::u16string_view line);
// Runs each registered timer callback once, in registration order. Errors
// leaving a callback are recorded and the next callback still runs.
ARKAPI_API void RunTimers();
ARKAPI_API std::size_t ConsoleCommandCount();
ARKAPI_API std::size_t TimerCount();

// ---------------------------------------------------------------------------
// The server's surroundings.

// The text ArkApi::Tools::GetCurrentDir() answers; empty after a reset.
ARKAPI_API void SetCurrentDir(const std::string& dir);
// The world IApiUtils::GetWorld() answers; null after a reset.
ARKAPI_API void SetWorld(UWorld* world);

// Calls of ArkApi::GetApiUtils() and of its GetWorld() since the last reset.
struct WorldLookupCounts {
  std::uint64_t api_utils = 0;
  std::uint64_t worlds = 0;
};
ARKAPI_API WorldLookupCounts GetWorldLookupCounts();

// The runtime clock behind _Xtime_get_ticks, in 100-ns ticks since 1970 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
// 2026-01-01T00:00:00Z, the clock's value after a reset.
constexpr std::int64_t kDefaultTicks = 1'767'225'600 * kTicksPerSecond;
ARKAPI_API void SetTicks(std::int64_t ticks);
ARKAPI_API void AdvanceTicks(std::int64_t ticks);
ARKAPI_API std::int64_t Ticks();

// UTF-8 of UTF-16 text: surrogate pairs combined, an unpaired surrogate
// becomes U+FFFD.
ARKAPI_API std::string Utf8FromUtf16(std::u16string_view text);

// ---------------------------------------------------------------------------
// Loading the plug-in library as the host's loader does.

struct LoaderOutcome {
  bool succeeded = false;
  std::string error;  // empty on success
};

// Loads the library (now-binding, local symbols). Fails when another plug-in
// is loaded, when the library cannot be loaded (with the loader's message),
// or when its load-time entry reports a failed attach or reports nothing; a
// library that failed its attach is unloaded again and must be gone after.
ARKAPI_API LoaderOutcome LoadPlugin(const std::string& path);
// Unloads the plug-in, which runs its detach. Fails when none is loaded, when
// the library stays in the process afterwards, or when it left hooks,
// console commands or timer callbacks behind; those are then dropped without
// running any of the unloaded library's code.
ARKAPI_API LoaderOutcome UnloadPlugin();
ARKAPI_API bool IsPluginLoaded();

// Clears the per-test state: journal, log lines and flushes, callback
// errors and times, clock, current dir, world, lookup counts (names and world), and every hook, console
// command and timer callback. Registered natives, fields and hookables stay;
// a loaded plug-in stays loaded.
ARKAPI_API void ResetHost();

}  // namespace dravelquin::testbed

#include "plugin/plugin.h"

#include "commands/dump_command.h"
#include "commands/reload_command.h"
#include "commands/status_command.h"
#include "engine/fstring.h"
#include "host/ark_api.h"
#include "host/plugin_log.h"
#include "population/census_schedule.h"
#include "population/settings_file.h"
#include "population/spawn_gate.h"

namespace dravelquin {

namespace {

constexpr const char* kInitGameName = "AShooterGameMode.InitGame";
constexpr const char* kBaseLevelName = "APrimalDinoCharacter.GetRandomBaseLevel";
constexpr const char* kTimerKey = "dravelquin";
constexpr const EngineUnit* kCommandName = ENGINE_TEXT("debugspawn");
constexpr const EngineUnit* kReloadCommandName = ENGINE_TEXT("dravelquin.reload");
constexpr const EngineUnit* kStatusCommandName = ENGINE_TEXT("dravelquin.status");

// What PluginStart has bound so far, so that PluginStop unbinds exactly that.
struct Bindings {
  bool init_game_hook = false;
  bool base_level_hook = false;
  bool timer = false;
  bool command = false;
  bool reload_command = false;
  bool status_command = false;
};

Bindings bound;

// The engine strings the host knows the timer callback and the console
// commands by, made when they are bound and kept until they are unbound, so
// that unbinding needs no engine memory: a shortage then would leave the host
// holding callbacks into an unloaded library. A function-local static, so
// that it exists before the load-time entry runs.
struct BindingNames {
  FString timer_key;
  FString command_name;
  FString reload_command_name;
  FString status_command_name;
};

BindingNames& Names() {
  static BindingNames names;
  return names;
}

template <typename Fn>
void* DetourAddress(Fn detour) {
  return reinterpret_cast<void*>(detour);
}

// Binds a console command under `text`, keeping its engine name for the
// unbinding; `is_bound` is set once the host holds it.
void BindCommand(ArkApi::ICommands& commands, FString& name, const EngineUnit* text,
                 const ArkApi::ConsoleCommandCallback& callback, bool& is_bound) {
  name = FromWide(text);
  commands.AddConsoleCommand(name, callback);
  is_bound = true;
}

// Removes a console command that BindCommand bound, by its kept name; nothing
// when it was not bound.
void UnbindCommand(const FString& name, bool& is_bound) {
  if (is_bound) {
    ArkApi::GetCommands().RemoveConsoleCommand(name);
    is_bound = false;
  }
}

// The logger formats each message in its own pattern and hands the sinks
// the finished line: the host's sinks, which the host and its other
// plug-ins share, are written to and never reconfigured.
void MakePluginLog() {
  const ArkApi::LogSinks& sinks = ArkApi::GetLogSinks();
  auto log = std::make_shared<spdlog::logger>("dravelquin", sinks.begin(), sinks.end());
  log->set_pattern("%D %R [%n][%l] %v", spdlog::pattern_time_type::local);
  log->flush_on(spdlog::level::info);
  PluginLog() = std::move(log);
}

}  // namespace

void PluginStart() {
  MakePluginLog();
  ReadSettings();
  StartCensusClock();

  ArkApi::IHooks& hooks = ArkApi::GetHooks();
  hooks.SetHook(kInitGameName, DetourAddress(&OnInitGame), &InitGameSlot);
  bound.init_game_hook = true;
  hooks.SetHook(kBaseLevelName, DetourAddress(&OnGetRandomBaseLevel), &BaseLevelSlot);
  bound.base_level_hook = true;

  ArkApi::ICommands& commands = ArkApi::GetCommands();
  Names().timer_key = FromNarrow(kTimerKey);
  commands.AddOnTimerCallback(Names().timer_key, ArkApi::TimerCallback(&OnCensusTimer));
  bound.timer = true;
  BindCommand(commands, Names().command_name, kCommandName,
              ArkApi::ConsoleCommandCallback(&OnDumpCommand), bound.command);
  BindCommand(commands, Names().reload_command_name, kReloadCommandName,
              ArkApi::ConsoleCommandCallback(&OnReloadCommand), bound.reload_command);
  BindCommand(commands, Names().status_command_name, kStatusCommandName,
              ArkApi::ConsoleCommandCallback(&OnStatusCommand), bound.status_command);
}

void PluginStop() {
  if (bound.init_game_hook) {
    ArkApi::GetHooks().DisableHook(kInitGameName, DetourAddress(&OnInitGame));
    bound.init_game_hook = false;
  }
  if (bound.base_level_hook) {
    ArkApi::GetHooks().DisableHook(kBaseLevelName, DetourAddress(&OnGetRandomBaseLevel));
    bound.base_level_hook = false;
  }
  UnbindCommand(Names().status_command_name, bound.status_command);
  UnbindCommand(Names().reload_command_name, bound.reload_command);
  UnbindCommand(Names().command_name, bound.command);
  if (bound.timer) {
    ArkApi::GetCommands().RemoveOnTimerCallback(Names().timer_key);
    bound.timer = false;
  }
  Release(Names().status_command_name);
  Release(Names().reload_command_name);
  Release(Names().command_name);
  Release(Names().timer_key);
}

}  // namespace dravelquin

// Console commands and timer callbacks. The host keeps its own copies of the
// names and callbacks it is given, and hands commands a text it owns.

#include <algorithm>
#include <chrono>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/ark_api.h"
#include "host_stand_in/engine_layout.h"
#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;
using dravelquin::FString;

namespace {

template <typename Callback>
struct Registration {
  std::u16string name;
  std::string label;  // "command <name>" or "timer <key>", for errors and leftovers
  std::shared_ptr<const Callback> callback;
};

using CommandRegistration = Registration<ArkApi::ConsoleCommandCallback>;
using TimerRegistration = Registration<ArkApi::TimerCallback>;

std::vector<CommandRegistration> commands;
std::vector<TimerRegistration> timers;

std::u16string NameOf(const FString& name) {
  return testbed::TextOf(reinterpret_cast<const testbed::EngineTextLayout&>(name));
}

std::string Narrow(std::u16string_view text) { return testbed::Utf8FromUtf16(text); }

void Journal(const std::string& call, std::u16string_view name, bool accepted) {
  testbed::host::AddJournalEntry(call + " " + Narrow(name) + (accepted ? "" : " failed"));
}

template <typename Callback>
bool RemoveFirst(std::vector<Registration<Callback>>& registrations, const std::u16string& name) {
  const auto found =
      std::find_if(registrations.begin(), registrations.end(),
                   [&name](const Registration<Callback>& entry) { return entry.name == name; });
  if (found == registrations.end()) {
    return false;
  }
  registrations.erase(found);
  return true;
}

// Whether the callback is still registered: one removed by an earlier
// callback of the same run is skipped.
template <typename Callback>
bool StillRegistered(const std::vector<Registration<Callback>>& registrations,
                     const std::shared_ptr<const Callback>& callback) {
  return std::any_of(
      registrations.begin(), registrations.end(),
      [&callback](const Registration<Callback>& entry) { return entry.callback == callback; });
}

char16_t FoldAscii(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

bool EqualIgnoringAsciiCase(std::u16string_view left, std::u16string_view right) {
  return left.size() == right.size() &&
         std::equal(left.begin(), left.end(), right.begin(),
                    [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

std::u16string_view FirstWord(std::u16string_view line) {
  const auto begin = std::find_if_not(line.begin(), line.end(), IsBlank);
  const auto end = std::find_if(begin, line.end(), IsBlank);
  return line.substr(static_cast<std::size_t>(begin - line.begin()),
                     static_cast<std::size_t>(end - begin));
}

class HostCommands final : public ArkApi::ICommands {
 public:
  void AddConsoleCommand(const FString& command,
                         const ArkApi::ConsoleCommandCallback& callback) override {
    std::u16string name = NameOf(command);
    Journal("AddConsoleCommand", name, true);
    std::string label = "command " + Narrow(name);
    commands.push_back(
        CommandRegistration{std::move(name), std::move(label),
                            std::make_shared<const ArkApi::ConsoleCommandCallback>(callback)});
  }

  void AddOnTimerCallback(const FString& key, const ArkApi::TimerCallback& callback) override {
    std::u16string name = NameOf(key);
    Journal("AddOnTimerCallback", name, true);
    std::string label = "timer " + Narrow(name);
    timers.push_back(TimerRegistration{std::move(name), std::move(label),
                                       std::make_shared<const ArkApi::TimerCallback>(callback)});
  }

  bool RemoveConsoleCommand(const FString& command) override {
    const std::u16string name = NameOf(command);
    const bool removed = RemoveFirst(commands, name);
    Journal("RemoveConsoleCommand", name, removed);
    return removed;
  }

  bool RemoveOnTimerCallback(const FString& key) override {
    const std::u16string name = NameOf(key);
    const bool removed = RemoveFirst(timers, name);
    Journal("RemoveOnTimerCallback", name, removed);
    return removed;
  }
};

// Keeps callbacks whose destruction would run code of an unloaded library;
// never destroyed.
std::vector<std::shared_ptr<const void>>& Abandoned() {
  static auto* abandoned = new std::vector<std::shared_ptr<const void>>();
  return *abandoned;
}

template <typename Callback>
void Abandon(std::vector<Registration<Callback>>& registrations, std::vector<std::string>& left) {
  for (Registration<Callback>& entry : registrations) {
    left.push_back(entry.label);
    Abandoned().push_back(std::move(entry.callback));
  }
  registrations.clear();
}

}  // namespace

namespace ArkApi {

ICommands& GetCommands() {
  static HostCommands host_commands;
  return host_commands;
}

}  // namespace ArkApi

namespace dravelquin::testbed {

namespace host {

std::vector<std::string> AbandonAllCommands() {
  std::vector<std::string> left;
  Abandon(commands, left);
  Abandon(timers, left);
  return left;
}

void ClearAllCommands() {
  commands.clear();
  timers.clear();
}

}  // namespace host

bool RunConsoleCommand(APlayerController* controller, std::u16string_view line) {
  const std::u16string_view word = FirstWord(line);
  std::vector<CommandRegistration> matching;
  std::copy_if(commands.begin(), commands.end(), std::back_inserter(matching),
               [word](const CommandRegistration& entry) {
                 return !word.empty() && EqualIgnoringAsciiCase(entry.name, word);
               });
  for (const CommandRegistration& entry : matching) {
    if (!StillRegistered(commands, entry.callback)) {
      continue;
    }
    std::u16string text(line);
    EngineTextLayout layout = LayoutOver(text);
    RunRecordingErrors(entry.label, [&] {
      (*entry.callback)(controller, reinterpret_cast<FString*>(&layout), false);
    });
  }
  return !matching.empty();
}

void RunTimers() {
  const std::vector<TimerRegistration> snapshot = timers;
  for (const TimerRegistration& entry : snapshot) {
    if (!StillRegistered(timers, entry.callback)) {
      continue;
    }
    const bool timed = CallbacksTimed();
    const auto start =
        timed ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
    RunRecordingErrors(entry.label, [&] { (*entry.callback)(); });
    if (timed) {
      host::AddTimerTime(std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count());
    }
  }
}

std::size_t ConsoleCommandCount() { return commands.size(); }

std::size_t TimerCount() { return timers.size(); }

}  // namespace dravelquin::testbed

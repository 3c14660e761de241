// Hooks as entry patching: the game calls each hookable function through an
// entry pointer, and setting a hook swaps the detour into that entry. Hooks on
// one function chain: each detour's original leads to the one set before it.

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/ark_api.h"
#include "host_stand_in/host_internal.h"
#include "host_stand_in/testbed_host.h"

// The host API's functions below stand outside the project's namespace.
namespace testbed = dravelquin::testbed;

namespace {

struct Detour {
  void* detour;
  void** original_slot;  // where the plug-in keeps its way to the previous function
  void* previous;        // what the entry held before this detour was set
};

struct Hookable {
  void** entry;
  void* own_function;
  std::vector<Detour> detours;  // oldest first; the last one is in the entry
};

std::unordered_map<std::string, Hookable>& Hookables() {
  static std::unordered_map<std::string, Hookable> hookables;
  return hookables;
}

void Restore(Hookable& hookable) {
  *hookable.entry = hookable.own_function;
  hookable.detours.clear();
}

void Journal(const std::string& call, const std::string& name, bool accepted) {
  testbed::host::AddJournalEntry(call + " " + name + (accepted ? "" : " failed"));
}

bool Install(const std::string& name, void* detour, void** original) {
  const auto found = Hookables().find(name);
  if (found == Hookables().end() || detour == nullptr || original == nullptr) {
    return false;
  }
  Hookable& hookable = found->second;
  const bool already_set =
      std::any_of(hookable.detours.begin(), hookable.detours.end(),
                  [detour](const Detour& set) { return set.detour == detour; });
  if (already_set) {
    return false;
  }
  hookable.detours.push_back(Detour{detour, original, *hookable.entry});
  *original = *hookable.entry;
  *hookable.entry = detour;
  return true;
}

bool Uninstall(const std::string& name, void* detour) {
  const auto found = Hookables().find(name);
  if (found == Hookables().end()) {
    return false;
  }
  std::vector<Detour>& detours = found->second.detours;
  const auto removed = std::find_if(detours.begin(), detours.end(),
                                    [detour](const Detour& set) { return set.detour == detour; });
  if (removed == detours.end()) {
    return false;
  }
  const auto next = removed + 1;
  if (next == detours.end()) {
    *found->second.entry = removed->previous;
  } else {
    next->previous = removed->previous;
    *next->original_slot = removed->previous;
  }
  detours.erase(removed);
  return true;
}

class HostHooks final : public ArkApi::IHooks {
 public:
  bool DisableHook(const std::string& func_name, void* detour) override {
    const bool accepted = Uninstall(func_name, detour);
    Journal("DisableHook", func_name, accepted);
    return accepted;
  }

  bool SetHook(const std::string& func_name, void* detour, void** original) override {
    const bool accepted = Install(func_name, detour, original);
    Journal("SetHook", func_name, accepted);
    return accepted;
  }
};

}  // namespace

namespace ArkApi {

IHooks& GetHooks() {
  static HostHooks hooks;
  return hooks;
}

}  // namespace ArkApi

namespace dravelquin::testbed {

namespace host {

std::vector<std::string> RestoreAllHooks() {
  std::vector<std::string> left;
  for (auto& [name, hookable] : Hookables()) {
    if (!hookable.detours.empty()) {
      left.push_back("hook " + name);
      Restore(hookable);
    }
  }
  std::sort(left.begin(), left.end());
  return left;
}

}  // namespace host

void RegisterHookable(const std::string& name, void** entry) {
  const auto found = Hookables().find(name);
  if (found != Hookables().end()) {
    Restore(found->second);
  }
  Hookables()[name] = Hookable{entry, *entry, {}};
}

bool RemoveHookable(const std::string& name) {
  const auto found = Hookables().find(name);
  if (found == Hookables().end()) {
    return false;
  }
  Restore(found->second);
  Hookables().erase(found);
  return true;
}

std::size_t HookCount(const std::string& name) {
  const auto found = Hookables().find(name);
  return found == Hookables().end() ? 0 : found->second.detours.size();
}

}  // namespace dravelquin::testbed

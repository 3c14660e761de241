#include "bench_world.h"

#include <cstddef>
#include <iterator>

#include "common/text.h"
#include "game/game_world.h"

namespace dravelquin {

namespace {

constexpr std::int32_t kDefaultCap = 1000;

// Words the game puts before a creature's name, and none.
constexpr const char16_t* kNamePrefixes[] = {u"", u"\u4E00\u53EA ", u"\u9752\u5E74 ",
                                             u"\u5E7C\u5D3D ", u"\u5A74\u513F "};

std::string TwoDigits(int number) {
  return std::string(1, static_cast<char>('0' + number / 10)) +
         static_cast<char>('0' + number % 10);
}

std::string KindName(int kind) { return "Kind" + TwoDigits(kind); }

std::u16string Utf16OfAscii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// The name of a creature of the kind in the given round of placing.
std::u16string DescriptiveName(int kind, int round) {
  const std::size_t prefix = static_cast<std::size_t>(round) % std::size(kNamePrefixes);
  return kNamePrefixes[prefix] + Utf16OfAscii(KindName(kind)) + u" - Lvl " +
         Utf16OfAscii(std::to_string(1 + round % 150));
}

}  // namespace

std::u16string KindFullName(int kind) {
  return Utf16FromUtf8(*FullNameOfBlueprintPath(KindPath(kind)));
}

std::string KindPath(int kind) {
  const std::string name = KindName(kind);
  const std::string blueprint = name + "_Character_BP";
  return "blueprint'/Game/PrimalEarth/Dinos/" + name + "/" + blueprint + "." + blueprint + "'";
}

std::vector<testbed::GameClass*> PopulateWorld(int creatures, Taming taming) {
  std::vector<testbed::GameClass*> kinds;
  kinds.reserve(kKindCount);
  for (int kind = 0; kind < kKindCount; ++kind) {
    kinds.push_back(testbed::AddKind(KindFullName(kind)));
  }
  for (int i = 0; i < creatures; ++i) {
    const int kind = i % kKindCount;
    const int round = i / kKindCount;
    const bool tamed = taming == Taming::kOneInTen && round % 10 == 9;
    testbed::PlaceCreature(kinds[static_cast<std::size_t>(kind)], DescriptiveName(kind, round),
                           tamed ? kTamedTeam : 0);
  }
  return kinds;
}

std::string ConfigText(const std::vector<std::int32_t>& caps) {
  std::string dinos;
  for (int kind = 0; kind < kConfiguredKindCount; ++kind) {
    const auto index = static_cast<std::size_t>(kind);
    const std::int32_t cap = index < caps.size() ? caps[index] : kDefaultCap;
    dinos += (dinos.empty() ? "\"" : ",\"") + KindPath(kind) +
             "\":{\"Count\":" + std::to_string(cap) + "}";
  }
  return "{\"General\":{\"CheckInterval\":3600},\"Dinos\":{" + dinos + "}}";
}

}  // namespace dravelquin

#include "engine/naming.h"

#include <iterator>

#include "engine/string_edit.h"
#include "host/game.h"

namespace dravelquin {

namespace {

// Words the game puts before a creature's name, each followed by one space:
// "one (animal)", "young adult", "cub" and "infant". Removed in this order.
constexpr const EngineUnit* kNameWords[] = {
    ENGINE_TEXT("\u4E00\u53EA "),
    ENGINE_TEXT("\u9752\u5E74 "),
    ENGINE_TEXT("\u5E7C\u5D3D "),
    ENGINE_TEXT("\u5A74\u513F "),
};

FString FullNameOfDefaultObject(const void* object) {
  auto* klass = ReadField<UClass*>(object, GameField::kClass);
  UObject* default_object =
      Native<GetDefaultObjectFn>(GameFunction::kGetDefaultObject)(klass, true);
  FString full_name;
  Native<GetFullNameFn>(GameFunction::kGetFullName)(default_object, &full_name, nullptr);
  return full_name;
}

}  // namespace

FString BlueprintPathOf(const void* object) {
  if (object == nullptr) {
    return FString();
  }
  FString full_name = FullNameOfDefaultObject(object);
  const std::int32_t space = IndexOfChar(full_name, EngineUnit{' '});
  if (space == -1) {
    return FString();
  }
  const std::int32_t length = Length(full_name);
  const std::int32_t class_suffix = HasSuffix(full_name, FromLiteral(ENGINE_TEXT("_C"))) ? 2 : 0;
  FString middle = Substring(full_name, space + 1, length - space - 1 - class_suffix);
  FString prefix = FromLiteral(ENGINE_TEXT("blueprint'"));
  FString opened = Concat(prefix, middle);
  FString closing = FromLiteral(ENGINE_TEXT("'"));
  const FString path = Concat(opened, closing);
  // The full name and the pieces go before the path is searched.
  Release(full_name);
  Release(middle);
  Release(closing);
  return ReplaceAll(path, ENGINE_TEXT("Default__"), ENGINE_TEXT(""));
}

FString DinoDisplayName(APrimalDinoCharacter* creature) {
  if (creature == nullptr) {
    return FString();
  }
  FString descriptive;
  Native<GetDinoDescriptiveNameFn>(GameFunction::kGetDinoDescriptiveName)(creature, &descriptive);
  EngineArray<FString> pieces;
  if (SplitOn(descriptive, ENGINE_TEXT("-"), pieces) == 0) {
    return FString();
  }
  FString name = ReplaceAll(pieces.data[0], kNameWords[0], ENGINE_TEXT(""));
  Release(descriptive);
  for (std::size_t word = 1; word < std::size(kNameWords); ++word) {
    name = ReplaceAll(name, kNameWords[word], ENGINE_TEXT(""));
  }
  return name;
}

}  // namespace dravelquin

// Fuzz target: the engine string operations against the reference model.
// Each input is a program of up to 96 operations over four string slots and
// one array of pieces, with allocator failures injected where the input
// asks. After every operation each slot's fields, block size and defined
// units must match the model; after the program every block must be back.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_block.h"
#include "engine/fstring.h"
#include "engine/string_edit.h"
#include "fuzz/engine_string_model.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/growth_model.h"
#include "game/engine_allocator.h"

namespace dravelquin {

namespace {

using fuzz::ModelString;
using fuzz::ModelStrings;
using fuzz::Require;

static_assert(sizeof(EngineUnit) == sizeof(char16_t), "the model's units are the engine's");

constexpr std::size_t kSlotCount = 4;
constexpr int kMostOperations = 96;
constexpr std::size_t kLongestText = 40;

struct Slot {
  FString actual;
  std::optional<ModelString> model = ModelString();  // none: the model lost track
};

struct Pieces {
  EngineArray<FString> actual;
  std::optional<ModelStrings> model = ModelStrings();
};

struct Program {
  FuzzedDataProvider& input;
  std::array<Slot, kSlotCount> slots;
  Pieces pieces;
};

// Units from a small alphabet that makes matches likely, with the edge
// values of the rules (zero, 0x7F/0x80, 0xFF/0x100, surrogates) and any
// 16-bit value now and then.
char16_t TakeUnit(FuzzedDataProvider& input) {
  static constexpr char16_t kAlphabet[] = {u'a',   u'b',   u'-',   u' ',   u'_',
                                           u'C',   u'D',   u'\0',  0x007F, 0x0080,
                                           0x00FF, 0x0100, 0x4E00, 0xD800, 0xDC00};
  const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kAlphabet));
  return pick < std::size(kAlphabet) ? kAlphabet[pick] : input.ConsumeIntegral<char16_t>();
}

std::u16string TakeUnits(FuzzedDataProvider& input, std::size_t longest) {
  std::u16string units(input.ConsumeIntegralInRange<std::size_t>(0, longest), u'\0');
  for (char16_t& unit : units) {
    unit = TakeUnit(input);
  }
  return units;
}

// Starts, counts and lengths near the edges of the 32-bit range as often
// as small ones.
std::int32_t TakeIndex(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return input.ConsumeIntegralInRange<std::int32_t>(-3, 12);
    case 1:
      return input.ConsumeIntegral<std::int32_t>();
    case 2:
      return INT32_MAX - input.ConsumeIntegralInRange<std::int32_t>(0, 3);
    default:
      return INT32_MIN + input.ConsumeIntegralInRange<std::int32_t>(0, 3);
  }
}

Slot& TakeSlot(Program& program) {
  return program.slots[program.input.ConsumeIntegralInRange<std::size_t>(0, kSlotCount - 1)];
}

// Two different slots.
std::pair<Slot*, Slot*> TakeTwoSlots(Program& program) {
  const auto first = program.input.ConsumeIntegralInRange<std::size_t>(0, kSlotCount - 1);
  const auto offset = program.input.ConsumeIntegralInRange<std::size_t>(1, kSlotCount - 1);
  return {&program.slots[first], &program.slots[(first + offset) % kSlotCount]};
}

const EngineUnit* Units(const std::u16string& text) {
  return reinterpret_cast<const EngineUnit*>(text.c_str());
}

std::string Shape(const FString& s) {
  return "{" + std::string(s.data == nullptr ? "null" : "block") + ", " + std::to_string(s.count) +
         ", " + std::to_string(s.capacity) + "}";
}

// What holds for every engine string, modelled or not: the fields agree with
// each other and with the live block, and a string with units is terminated.
void RequireWellFormed(const FString& s) {
  if (s.data == nullptr) {
    Require(s.count == 0 && s.capacity == 0, "string without a block " + Shape(s));
    Require(*TextPointer(s) == 0, "text of an empty string");
    return;
  }
  Require(s.count >= 0 && s.count <= s.capacity, "count beyond capacity " + Shape(s));
  Require(testbed::LiveBlockSize(s.data) == static_cast<std::size_t>(s.capacity) * 2,
          "block not exactly capacity units " + Shape(s));
  bool terminated = s.count == 0;
  for (std::int32_t i = 0; i < s.count && !terminated; ++i) {
    terminated = s.data[i] == 0;
  }
  Require(terminated, "no zero unit inside the count " + Shape(s));
  Require(Length(s) == (s.count > 0 ? s.count - 1 : 0), "length " + Shape(s));
}

void RequireMatches(const FString& s, const ModelString& model) {
  Require((s.data != nullptr) == model.has_block && s.count == model.count &&
              s.capacity == model.capacity,
          "fields " + Shape(s) + ", model {" + std::to_string(model.count) + ", " +
              std::to_string(model.capacity) + "}");
  for (std::int32_t i = 0; i < s.count; ++i) {
    const fuzz::KnownUnit& unit = model.block[static_cast<std::size_t>(i)];
    Require(!unit || static_cast<char16_t>(s.data[i]) == *unit,
            "unit " + std::to_string(i) + " of " + Shape(s));
  }
}

void RequireStringState(const Slot& slot) {
  RequireWellFormed(slot.actual);
  if (slot.model) {
    RequireMatches(slot.actual, *slot.model);
  }
}

void RequirePiecesState(const Pieces& pieces) {
  const EngineArray<FString>& out = pieces.actual;
  if (out.data == nullptr) {
    Require(out.count == 0 && out.capacity == 0, "pieces without a block");
  } else {
    Require(out.count >= 0 && out.count <= out.capacity, "pieces beyond capacity");
    Require(testbed::LiveBlockSize(out.data) == static_cast<std::size_t>(out.capacity) * 16,
            "pieces block not exactly capacity elements");
  }
  for (std::int32_t i = 0; i < out.count; ++i) {
    RequireWellFormed(out.data[i]);
  }
  if (!pieces.model) {
    return;
  }
  const ModelStrings& model = *pieces.model;
  Require((out.data != nullptr) == model.has_block && out.count == model.count &&
              out.capacity == model.capacity,
          "pieces fields");
  for (std::int32_t i = 0; i < out.count; ++i) {
    RequireMatches(out.data[i], model.elements[static_cast<std::size_t>(i)]);
  }
}

void RequireState(const Program& program) {
  for (const Slot& slot : program.slots) {
    RequireStringState(slot);
  }
  RequirePiecesState(program.pieces);
}

// ---------------------------------------------------------------------------
// The operations. Each runs the plug-in's operation and the model's.

void MakeFromNarrow(Program& program) {
  Slot& slot = TakeSlot(program);
  const std::string text = program.input.ConsumeRandomLengthString(kLongestText);
  slot.actual = FromNarrow(text.c_str());
  slot.model = fuzz::ModelFromNarrow(text);
}

void MakeFromWide(Program& program) {
  Slot& slot = TakeSlot(program);
  const std::u16string text = TakeUnits(program.input, kLongestText);
  slot.actual = FromWide(Units(text));
  slot.model = fuzz::ModelFromWide(text);
}

void MakeFromCounted(Program& program) {
  Slot& slot = TakeSlot(program);
  const std::u16string source = TakeUnits(program.input, kLongestText);
  const auto n = program.input.ConsumeIntegralInRange<std::int32_t>(
      0, static_cast<std::int32_t>(source.size()));
  slot.actual = FromCounted(n, Units(source));
  const fuzz::KnownUnits known(source.begin(), source.end());
  slot.model = fuzz::ModelFromCounted(n, known.data());
}

void MakeTerminatorOnly(Program& program) {
  Slot& slot = TakeSlot(program);
  const auto capacity = program.input.ConsumeIntegralInRange<std::int32_t>(1, 6);
  slot.model.reset();
  Release(slot.actual);
  slot.actual.ResizeExactly(capacity);
  slot.actual.data[0] = 0;
  slot.actual.count = 1;
  slot.model = fuzz::ModelTerminatorOnly(capacity);
}

void Append(Program& program) {
  Slot& slot = TakeSlot(program);
  const std::u16string units = TakeUnits(program.input, kLongestText);
  AppendText(slot.actual, Units(units), static_cast<std::int32_t>(units.size()));
  if (slot.model) {
    fuzz::ModelAppendText(*slot.model, fuzz::KnownUnits(units.begin(), units.end()));
  }
}

void Copy(Program& program) {
  auto [source, target] = TakeTwoSlots(program);
  target->actual = CopyOf(source->actual);
  target->model.reset();
  if (source->model) {
    target->model = fuzz::ModelCopyOf(*source->model);
  }
}

void ReleaseSlot(Program& program) {
  Slot& slot = TakeSlot(program);
  Release(slot.actual);
  slot.model = ModelString();
}

void Join(Program& program) {
  auto [left, right] = TakeTwoSlots(program);
  Slot& target = TakeSlot(program);
  FString joined = Concat(left->actual, right->actual);
  std::optional<ModelString> model;
  if (left->model && right->model) {
    model = fuzz::ModelConcat(*left->model, *right->model);
  } else {
    left->model.reset();
    right->model.reset();
  }
  target.actual = std::move(joined);
  target.model = std::move(model);
}

void Cut(Program& program) {
  Slot& source = TakeSlot(program);
  Slot& target = TakeSlot(program);
  const std::int32_t start = TakeIndex(program.input);
  const std::int32_t count = TakeIndex(program.input);
  FString part = Substring(source.actual, start, count);
  std::optional<ModelString> model;
  if (source.model) {
    model = fuzz::ModelSubstring(*source.model, start, count);
  }
  target.actual = std::move(part);
  target.model = std::move(model);
}

void TestSuffix(Program& program) {
  auto [s, suffix] = TakeTwoSlots(program);
  const bool actual = HasSuffix(s->actual, suffix->actual);
  if (s->model && suffix->model) {
    const std::optional<bool> expected = fuzz::ModelHasSuffix(*s->model, *suffix->model);
    Require(!expected || *expected == actual, "HasSuffix");
  }
}

void FindUnit(Program& program) {
  const Slot& slot = TakeSlot(program);
  const char16_t unit = TakeUnit(program.input);
  const std::int32_t actual = IndexOfChar(slot.actual, static_cast<EngineUnit>(unit));
  if (slot.model) {
    const std::optional<std::int64_t> expected = fuzz::ModelIndexOfChar(*slot.model, unit);
    Require(!expected || *expected == actual, "IndexOfChar");
  }
}

void Narrow(Program& program) {
  const Slot& slot = TakeSlot(program);
  const std::string actual = ToNarrow(slot.actual);
  Require(actual.size() == static_cast<std::size_t>(Length(slot.actual)), "ToNarrow length");
  if (!slot.model) {
    return;
  }
  const auto expected = fuzz::ModelToNarrow(*slot.model);
  Require(expected.size() == actual.size(), "ToNarrow length against the model");
  for (std::size_t i = 0; i < actual.size(); ++i) {
    Require(!expected[i] || *expected[i] == actual[i], "ToNarrow byte " + std::to_string(i));
  }
}

void Split(Program& program) {
  const Slot& source = TakeSlot(program);
  const std::u16string delimiter = TakeUnits(program.input, 3);
  const std::int32_t returned = SplitOn(source.actual, Units(delimiter), program.pieces.actual);
  Require(returned == program.pieces.actual.count, "SplitOn's result is the piece count");
  if (source.model && program.pieces.model &&
      fuzz::ModelSplitOn(*source.model, delimiter, *program.pieces.model)) {
    return;
  }
  program.pieces.model.reset();
}

void TakePiece(Program& program) {
  Slot& target = TakeSlot(program);
  EngineArray<FString>& out = program.pieces.actual;
  if (out.count == 0) {
    return;
  }
  const auto index = program.input.ConsumeIntegralInRange<std::int32_t>(0, out.count - 1);
  target.actual = std::move(out.data[index]);
  target.model.reset();
  if (program.pieces.model) {
    ModelString& piece = program.pieces.model->elements[static_cast<std::size_t>(index)];
    target.model = piece;
    piece = ModelString();
  }
}

void ReleasePieces(Program& program) {
  program.pieces.actual.ReleaseStorage();
  program.pieces.model = ModelStrings();
}

void Replace(Program& program) {
  const Slot& source = TakeSlot(program);
  Slot& target = TakeSlot(program);
  const std::u16string from = TakeUnits(program.input, 3);
  const std::u16string to = TakeUnits(program.input, 3);
  FString replaced = ReplaceAll(source.actual, Units(from), Units(to));
  std::optional<ModelString> model;
  if (source.model) {
    model = fuzz::ModelReplaceAll(*source.model, from, to);
  }
  target.actual = std::move(replaced);
  target.model = std::move(model);
}

void Grow(Program& program) {
  const auto capacity = program.input.ConsumeIntegralInRange<std::int32_t>(0, INT32_MAX - 1);
  const std::int32_t highest =
      program.input.ConsumeBool()
          ? static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{capacity} + 8, INT32_MAX))
          : INT32_MAX;
  const std::int32_t needed = program.input.ConsumeIntegralInRange(capacity + 1, highest);
  Require(GrownCapacity(capacity, needed) == fuzz::ModelGrownCapacity(capacity, needed),
          "growth from " + std::to_string(capacity) + " to " + std::to_string(needed));
}

void FailLater(Program& program) {
  testbed::FailAllocation(program.input.ConsumeIntegralInRange<std::size_t>(1, 6));
}

// After an allocation failed the model stops following every string that
// the operation may have touched.
void ForgetModels(Program& program) {
  for (Slot& slot : program.slots) {
    slot.model.reset();
  }
  program.pieces.model.reset();
}

using Operation = void (*)(Program&);

constexpr Operation kOperations[] = {
    MakeFromNarrow,
    MakeFromWide,
    MakeFromCounted,
    MakeTerminatorOnly,
    Append,
    Copy,
    ReleaseSlot,
    Join,
    Cut,
    TestSuffix,
    FindUnit,
    Narrow,
    Split,
    TakePiece,
    ReleasePieces,
    Replace,
    Grow,
    FailLater,
};

void Run(Program& program) {
  for (int step = 0; step < kMostOperations && program.input.remaining_bytes() > 0; ++step) {
    const Operation operation = kOperations[program.input.ConsumeIntegralInRange<std::size_t>(
        0, std::size(kOperations) - 1)];
    try {
      operation(program);
    } catch (const std::bad_alloc&) {
      ForgetModels(program);
    }
    RequireState(program);
  }
  testbed::FailAllocation(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::StartInput();
  {
    FuzzedDataProvider input(data, size);
    Program program{input, {}, {}};
    Run(program);
  }
  fuzz::RequireEngineMemoryReturned();
  return 0;
}

}  // namespace dravelquin

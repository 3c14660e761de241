#pragma once

// A plain reference model of the engine string and its editing operations,
// written from their rules alone: the three fields, and for each unit of the
// block the value the rules fix, or nothing where they leave it undefined
// (past a zero unit that cut a counted copy short, and in fresh room).
// Operations whose outcome depends on an undefined unit give no model.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravelquin {

namespace fuzz {

using KnownUnit = std::optional<char16_t>;
using KnownUnits = std::vector<KnownUnit>;

struct ModelString {
  bool has_block = false;
  std::int64_t count = 0;
  std::int64_t capacity = 0;
  KnownUnits block;  // `capacity` units
};

// An engine array of strings: its fields and its elements in use.
struct ModelStrings {
  bool has_block = false;
  std::int64_t count = 0;
  std::int64_t capacity = 0;
  std::vector<ModelString> elements;
};

std::int64_t ModelLength(const ModelString& s);

ModelString ModelFromNarrow(const std::string& text);
ModelString ModelFromWide(const std::u16string& text);
ModelString ModelFromCounted(std::int64_t n, const KnownUnit* src);
void ModelAppendText(ModelString& s, const KnownUnits& units);
ModelString ModelCopyOf(const ModelString& s);
// A string of count 1 in a block of `capacity` units.
ModelString ModelTerminatorOnly(std::int64_t capacity);

ModelString ModelConcat(ModelString& left, ModelString& right);
ModelString ModelSubstring(const ModelString& s, std::int32_t start, std::int32_t count);
std::optional<bool> ModelHasSuffix(const ModelString& s, const ModelString& suffix);
std::optional<std::int64_t> ModelIndexOfChar(const ModelString& s, char16_t unit);
// Fills `out` as the split leaves it, or gives false when the text's
// undefined units decide the pieces.
bool ModelSplitOn(const ModelString& s, const std::u16string& delimiter, ModelStrings& out);
std::optional<ModelString> ModelReplaceAll(const ModelString& s, const std::u16string& from,
                                           const std::u16string& to);
// One byte per unit, nothing where the unit is undefined.
std::vector<std::optional<char>> ModelToNarrow(const ModelString& s);

// The text up to the first zero unit, for a zero-terminated reading; nothing
// when an undefined unit comes first.
std::optional<std::u16string> ModelTerminatedText(const ModelString& s);

}  // namespace fuzz

}  // namespace dravelquin

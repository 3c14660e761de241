#include "fuzz/naming_model.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dravelquin {

namespace fuzz {

namespace {

constexpr char16_t kClassSuffix[] = u"_C";
constexpr char16_t kDefaultMark[] = u"Default__";
constexpr const char16_t* kNameWords[] = {u"\u4E00\u53EA ", u"\u9752\u5E74 ", u"\u5E7C\u5D3D ",
                                          u"\u5A74\u513F "};

bool EndsWith(const std::u16string& text, const std::u16string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::u16string UpToZero(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

void AppendUtf8(std::string& out, std::uint32_t code_point) {
  const auto byte = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (code_point < 0x80) {
    byte(code_point);
  } else if (code_point < 0x800) {
    byte(0xC0 | (code_point >> 6));
    byte(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    byte(0xE0 | (code_point >> 12));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  } else {
    byte(0xF0 | (code_point >> 18));
    byte(0x80 | ((code_point >> 12) & 0x3F));
    byte(0x80 | ((code_point >> 6) & 0x3F));
    byte(0x80 | (code_point & 0x3F));
  }
}

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

ModelString ExpectedBlueprintPath(const std::u16string& full_name) {
  const std::size_t space = full_name.find(u' ');
  if (space == std::u16string::npos) {
    return ModelString();
  }
  const std::size_t suffix = EndsWith(full_name, kClassSuffix) ? 2 : 0;
  const std::u16string object_path =
      full_name.substr(space + 1, full_name.size() - space - 1 - suffix);
  const std::u16string cut = UpToZero(object_path);
  const std::u16string path = u"blueprint'" + cut + (cut.size() == object_path.size() ? u"'" : u"");
  return *ModelReplaceAll(ModelFromWide(path), kDefaultMark, u"");
}

ModelString ExpectedDisplayName(const std::u16string& descriptive_name) {
  const std::u16string text = UpToZero(descriptive_name);
  const std::size_t first = text.find_first_not_of(u'-');
  if (first == std::u16string::npos) {
    return ModelString();
  }
  const std::size_t end = text.find(u'-', first);
  ModelString name =
      ModelFromWide(text.substr(first, end == std::u16string::npos ? end : end - first));
  for (const char16_t* word : kNameWords) {
    name = *ModelReplaceAll(name, word, u"");
  }
  return name;
}

std::string ExpectedUtf8(const std::u16string& text) {
  const std::u16string units = UpToZero(text);
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::uint32_t unit = units[i];
    const std::uint32_t next = i + 1 < units.size() ? units[i + 1] : 0;
    if (IsHighSurrogate(unit) && IsLowSurrogate(next)) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? 0xFFFD : unit);
    }
  }
  return out;
}

}  // namespace fuzz

}  // namespace dravelquin

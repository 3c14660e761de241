#include "fuzz/engine_string_model.h"

#include <algorithm>
#include <cstring>

#include "fuzz/growth_model.h"

namespace dravelquin {

namespace fuzz {

namespace {

ModelString WithCount(std::int64_t count) {
  ModelString s;
  s.has_block = true;
  s.count = count;
  s.capacity = ModelGrownCapacity(0, count);
  s.block.assign(static_cast<std::size_t>(s.capacity), std::nullopt);
  return s;
}

KnownUnits Known(const std::u16string& text) { return KnownUnits(text.begin(), text.end()); }

}  // namespace

std::int64_t ModelLength(const ModelString& s) { return s.count > 0 ? s.count - 1 : 0; }

ModelString ModelFromNarrow(const std::string& text) {
  const std::size_t length = std::strlen(text.c_str());
  if (length == 0) {
    return ModelString();
  }
  ModelString s = WithCount(static_cast<std::int64_t>(length) + 1);
  for (std::size_t i = 0; i <= length; ++i) {
    const auto byte = static_cast<unsigned char>(text.c_str()[i]);
    s.block[i] = byte >= 0x80 ? u'?' : static_cast<char16_t>(byte);
  }
  return s;
}

ModelString ModelFromWide(const std::u16string& text) {
  const std::u16string units = text.substr(0, text.find(u'\0'));
  if (units.empty()) {
    return ModelString();
  }
  ModelString s = WithCount(static_cast<std::int64_t>(units.size()) + 1);
  std::copy(units.begin(), units.end(), s.block.begin());
  s.block[units.size()] = u'\0';
  return s;
}

ModelString ModelFromCounted(std::int64_t n, const KnownUnit* src) {
  if (n == 0) {
    return ModelString();
  }
  ModelString s = WithCount(n + 1);
  std::int64_t copied = 0;
  for (; copied < n; ++copied) {
    if (!src[copied]) {
      return s;  // where the copy stops, and so where its zero goes, is undefined
    }
    if (*src[copied] == u'\0') {
      break;
    }
    s.block[copied] = src[copied];
  }
  s.block[copied] = u'\0';
  return s;
}

void ModelAppendText(ModelString& s, const KnownUnits& units) {
  const auto n = static_cast<std::int64_t>(units.size());
  if (n == 0) {
    return;
  }
  const std::int64_t old = s.count;
  const std::int64_t needed = old + n + (old == 0 ? 1 : 0);
  if (needed > s.capacity) {
    s.capacity = ModelGrownCapacity(s.capacity, needed);
    s.block.resize(static_cast<std::size_t>(s.capacity), std::nullopt);
    s.has_block = true;
  }
  const std::int64_t at = old == 0 ? 0 : old - 1;
  std::copy(units.begin(), units.end(), s.block.begin() + at);
  s.block[static_cast<std::size_t>(at + n)] = u'\0';
  s.count = needed;
}

ModelString ModelCopyOf(const ModelString& s) {
  if (s.count == 0) {
    return ModelString();
  }
  ModelString copy;
  copy.has_block = true;
  copy.count = copy.capacity = s.count;
  copy.block.assign(s.block.begin(), s.block.begin() + s.count);
  return copy;
}

ModelString ModelTerminatorOnly(std::int64_t capacity) {
  ModelString s;
  s.has_block = true;
  s.count = 1;
  s.capacity = capacity;
  s.block.assign(static_cast<std::size_t>(capacity), std::nullopt);
  s.block[0] = u'\0';
  return s;
}

ModelString ModelConcat(ModelString& left, ModelString& right) {
  if (left.count <= 1) {
    ModelString taken = right;
    right = ModelString();
    return taken;
  }
  const std::int64_t appended = ModelLength(right);
  if (left.count + appended > left.capacity) {
    left.capacity = left.count + appended;
    left.block.resize(static_cast<std::size_t>(left.capacity), std::nullopt);
  }
  ModelString result = left;
  left = ModelString();
  ModelAppendText(result, KnownUnits(right.block.begin(), right.block.begin() + appended));
  return result;
}

ModelString ModelSubstring(const ModelString& s, std::int32_t start, std::int32_t count) {
  const auto length = static_cast<std::uint32_t>(ModelLength(s));
  const auto from = static_cast<std::uint32_t>(start);
  const std::uint32_t end = from + static_cast<std::uint32_t>(count);  // wraps, as the rule says
  const std::uint32_t first = std::min(from, length);
  const std::uint32_t last = std::clamp(end, first, length);
  if (last == first) {
    return ModelString();
  }
  return ModelFromCounted(last - first, s.block.data() + first);
}

std::optional<bool> ModelHasSuffix(const ModelString& s, const ModelString& suffix) {
  const std::int64_t suffix_length = ModelLength(suffix);
  const std::int64_t length = ModelLength(s);
  if (suffix_length <= 0 || length < suffix_length) {
    return false;
  }
  bool undefined = false;
  for (std::int64_t i = 0; i <= suffix_length; ++i) {
    const KnownUnit& mine = s.block[static_cast<std::size_t>(length - suffix_length + i)];
    const KnownUnit& wanted = suffix.block[static_cast<std::size_t>(i)];
    if (mine && wanted && *mine != *wanted) {
      return false;
    }
    undefined = undefined || !mine || !wanted;
  }
  if (undefined) {
    return std::nullopt;
  }
  return true;
}

std::optional<std::int64_t> ModelIndexOfChar(const ModelString& s, char16_t unit) {
  for (std::int64_t i = 0; i < s.count; ++i) {
    const KnownUnit& at = s.block[static_cast<std::size_t>(i)];
    if (!at) {
      return std::nullopt;
    }
    if (*at == unit) {
      return i;
    }
  }
  return -1;
}

std::optional<std::u16string> ModelTerminatedText(const ModelString& s) {
  std::u16string text;
  for (std::int64_t i = 0; i < s.count; ++i) {
    const KnownUnit& at = s.block[static_cast<std::size_t>(i)];
    if (!at) {
      return std::nullopt;
    }
    if (*at == u'\0') {
      return text;
    }
    text.push_back(*at);
  }
  if (s.count == 0) {
    return text;
  }
  return std::nullopt;  // no terminator inside the count: the reading would run on
}

bool ModelSplitOn(const ModelString& s, const std::u16string& delimiter, ModelStrings& out) {
  out.elements.clear();
  out.count = 0;
  const std::optional<std::u16string> text = ModelTerminatedText(s);
  if (!text) {
    return false;
  }
  const auto append = [&out](const std::u16string& piece) {
    const std::int64_t needed = out.count + 1;
    if (needed > out.capacity) {
      out.capacity = ModelGrownCapacity(out.capacity, needed);
      out.has_block = true;
    }
    out.elements.push_back(ModelFromWide(piece));
    out.count = needed;
  };
  const std::u16string needle = delimiter.substr(0, delimiter.find(u'\0'));
  if (text->empty() || needle.empty()) {
    if (!text->empty()) {
      append(*text);
    }
    return true;
  }
  std::size_t piece = 0;
  for (std::size_t found = text->find(needle); found != std::u16string::npos;
       found = text->find(needle, piece)) {
    if (found > piece) {
      append(text->substr(piece, found - piece));
    }
    piece = found + needle.size();
  }
  if (piece < text->size()) {
    append(text->substr(piece));
  }
  return true;
}

std::optional<ModelString> ModelReplaceAll(const ModelString& s, const std::u16string& from,
                                           const std::u16string& to) {
  const std::u16string needle = from.substr(0, from.find(u'\0'));
  const std::u16string replacement = to.substr(0, to.find(u'\0'));
  if (s.count <= 1 || needle.empty()) {
    return ModelCopyOf(s);
  }
  const std::optional<std::u16string> text = ModelTerminatedText(s);
  if (!text) {
    return std::nullopt;
  }
  ModelString result;
  std::size_t rest = 0;
  for (std::size_t found = text->find(needle); found != std::u16string::npos;
       found = text->find(needle, rest)) {
    ModelAppendText(result, Known(text->substr(rest, found - rest)));
    ModelAppendText(result, Known(replacement));
    rest = found + needle.size();
  }
  ModelAppendText(result, Known(text->substr(rest)));
  return result;
}

std::vector<std::optional<char>> ModelToNarrow(const ModelString& s) {
  std::vector<std::optional<char>> bytes;
  if (!s.has_block) {
    return bytes;
  }
  for (std::int64_t i = 0; i < ModelLength(s); ++i) {
    const KnownUnit& at = s.block[static_cast<std::size_t>(i)];
    if (!at) {
      bytes.emplace_back();
    } else {
      bytes.emplace_back(*at <= 0xFF ? static_cast<char>(static_cast<unsigned char>(*at)) : '?');
    }
  }
  return bytes;
}

}  // namespace fuzz

}  // namespace dravelquin

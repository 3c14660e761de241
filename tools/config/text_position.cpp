#include "text_position.h"

#include <algorithm>

namespace dravelquin {

std::size_t ByteOrderMarkSize(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

LineIndex::LineIndex(const std::string& text)
    : line_starts_{0}, text_size_(text.size()), mark_size_(ByteOrderMarkSize(text)) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      line_starts_.push_back(i + 1);
    }
  }
}

TextPosition LineIndex::PositionOf(std::size_t offset) const {
  offset = std::min(offset, text_size_);
  const auto next_line = std::upper_bound(line_starts_.begin(), line_starts_.end(), offset);
  const auto line = static_cast<std::size_t>(next_line - line_starts_.begin());
  std::size_t line_start = line_starts_[line - 1];
  if (line == 1) {
    line_start = mark_size_;
    offset = std::max(offset, mark_size_);
  }
  return TextPosition{static_cast<int>(line), static_cast<int>(offset - line_start + 1)};
}

}  // namespace dravelquin

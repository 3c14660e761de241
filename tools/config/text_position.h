#pragma once

// Line and column of a byte of a text file, counted the way editors and
// compilers report them.

#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

namespace dravelquin {

// 1-based line and column; the column counts bytes from the start of the line.
struct TextPosition {
  int line = 1;
  int column = 1;

  bool operator==(const TextPosition& other) const {
    return line == other.line && column == other.column;
  }
  bool operator<(const TextPosition& other) const {
    return std::tie(line, column) < std::tie(other.line, other.column);
  }
};

// The starts of the lines of a text, for turning byte offsets into positions.
// Only "\n" ends a line. A UTF-8 byte-order mark at the start of the text
// takes no column, as editors do not show it.
class LineIndex {
 public:
  explicit LineIndex(const std::string& text);

  // The position of the byte at `offset` from the start of the text. An
  // offset at or past the end gives the position just after the last byte;
  // an offset inside the byte-order mark gives 1:1.
  TextPosition PositionOf(std::size_t offset) const;

 private:
  std::vector<std::size_t> line_starts_;
  std::size_t text_size_;
  std::size_t mark_size_;
};

// The three bytes of a UTF-8 byte-order mark, or 0 when `text` starts with none.
std::size_t ByteOrderMarkSize(const std::string& text);

}  // namespace dravelquin

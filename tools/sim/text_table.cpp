#include "tools/sim/text_table.h"

#include <algorithm>

#include "tools/sim/utf16.h"

namespace dravelquin::sim {

namespace {

bool IsWide(char32_t code_point) {
  return (code_point >= 0x1100 && code_point <= 0x115F) ||
         (code_point >= 0x2E80 && code_point <= 0xA4CF) ||
         (code_point >= 0xAC00 && code_point <= 0xD7A3) ||
         (code_point >= 0xF900 && code_point <= 0xFAFF) ||
         (code_point >= 0xFE30 && code_point <= 0xFE4F) ||
         (code_point >= 0xFF00 && code_point <= 0xFF60) ||
         (code_point >= 0xFFE0 && code_point <= 0xFFE6) || code_point >= 0x20000;
}

std::string FormatRow(const TableRow& row, const std::vector<std::size_t>& widths,
                      FirstColumn first) {
  std::string line;
  for (std::size_t column = 0; column < row.size(); ++column) {
    const std::string padding(widths[column] - DisplayWidth(row[column]), ' ');
    const std::string gap = column == 0 ? "" : "  ";
    const bool left = column == 0 && first == FirstColumn::kNames;
    line += left ? row[column] + padding : gap + padding + row[column];
  }
  return line + "\n";
}

}  // namespace

std::string AlignedTable(const std::vector<TableRow>& rows, FirstColumn first) {
  std::vector<std::size_t> widths(rows.empty() ? 0 : rows.front().size(), 0);
  for (const TableRow& row : rows) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], DisplayWidth(row[column]));
    }
  }
  std::string table;
  for (const TableRow& row : rows) {
    table += FormatRow(row, widths, first);
  }
  return table;
}

std::size_t DisplayWidth(const std::string& text) {
  std::size_t width = 0;
  const std::u16string units = Utf16FromUtf8(text);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    const bool pair_start = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size();
    const char32_t code_point = pair_start
                                    ? 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                          (static_cast<char32_t>(units[i + 1]) - 0xDC00)
                                    : unit;
    i += pair_start ? 1 : 0;
    width += IsWide(code_point) ? 2 : 1;
  }
  return width;
}

}  // namespace dravelquin::sim

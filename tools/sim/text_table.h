#pragma once

// Tables of text for a terminal: columns aligned by the width the text takes
// on screen, numbers right-aligned.

#include <cstddef>
#include <string>
#include <vector>

namespace dravelquin::sim {

using TableRow = std::vector<std::string>;

// Whether the first column holds names, left-aligned, or numbers like the rest.
enum class FirstColumn { kNames, kNumbers };

// The rows, every one of the same number of cells, as lines of text with two
// spaces between columns, every column but a first one of names right-aligned.
std::string AlignedTable(const std::vector<TableRow>& rows, FirstColumn first);

// Columns a UTF-8 text takes in a terminal: one per character, two for
// East Asian wide and full-width characters.
std::size_t DisplayWidth(const std::string& text);

}  // namespace dravelquin::sim

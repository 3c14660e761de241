#pragma once

// The C++ heap as the sanitizer's allocator sees it: the bytes allocated
// and not yet freed, and the most that were at once since a mark, for
// oracles that bound a reader's memory by the size of its input.

#include <cstddef>

namespace dravelquin::fuzz {

// Starts counting (once) and makes the current live bytes the mark that
// PeakBytesSinceMark() measures from.
void MarkHeap();

// The most bytes live at once since MarkHeap(), less those live at the mark.
std::size_t PeakBytesSinceMark();

}  // namespace dravelquin::fuzz

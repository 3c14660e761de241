#pragma once

// The census dump "dinoDump.txt" as both tools read it: its lines and its
// blueprint paths with their counts added up.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dravelquin {

// The census dump "dinoDump.txt": one line "PATH|NAME|COUNT" per blueprint
// path and display name, counting that pair's wild creatures.

struct DumpLine {
  int line = 0;  // 1-based
  std::string path;
  std::string name;
  std::int32_t count = 0;
};

// A blueprint path of the dump with its lines merged.
struct DumpBlueprint {
  std::string path;
  std::int64_t wild = 0;           // the sum of its lines' counts
  int first_line = 0;              // its first line in the file
  std::vector<std::string> names;  // its display names, in line order
};

// A line that is not "PATH|NAME|COUNT".
class DumpFormatError : public std::runtime_error {
 public:
  DumpFormatError(int line, const std::string& message)
      : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Reads every line of a dump. A UTF-8 byte-order mark at its start is
// skipped, as the settings parser skips one. "\n" and "\r\n" end a line, and
// the last line needs no end; a blank line (an editor's last line) is passed
// over. The path runs to the first "|" and the count from the last, so a
// display name may hold "|". Raises DumpFormatError for a text that looks
// like UTF-16, a line with fewer than two "|" or whose count is not a
// decimal number from 1 to 2147483647 written with digits only and no
// leading zero; a long count is quoted shortened.
// Example: "bp'/A'|Rex|Alpha|3" -> {path "bp'/A'", name "Rex|Alpha", count 3}.
std::vector<DumpLine> ParseDump(const std::string& text);

// The dump's blueprint paths in byte order, each with the counts of its lines
// added up and its display names. Takes the lines to move their text.
std::vector<DumpBlueprint> BlueprintsOf(std::vector<DumpLine> lines);

}  // namespace dravelquin

#pragma once

// The checker's report: positions in a settings file, diagnostics and
// their printed form, where each JSON member stands in the text, the kinds
// of JSON values, readable member paths, and the report that gathers them.

#include <cstddef>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace dravelquin {

// Line and column of a byte of a text file, counted the way editors and
// compilers report them.

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

// One finding of the tool, in the form that editors and CI annotate:
// "FILE:LINE:COL: error|warning|note: message".

enum class Severity { kError, kWarning, kNote };

struct Diagnostic {
  std::string file;
  TextPosition at;
  Severity severity = Severity::kNote;
  std::string message;
};

// "FILE:LINE:COL: SEVERITY: MESSAGE", without a line end.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

// Makes every warning an error, as --strict asks.
void TreatWarningsAsErrors(std::vector<Diagnostic>& diagnostics);

// True when any of the diagnostics is an error.
bool HasError(const std::vector<Diagnostic>& diagnostics);

// Where the members of a settings file are written. The JSON library reports
// no position for a member, so the text is scanned once more on its own: the
// scan names each member by its JSON pointer, keeps the position of the
// member the parser keeps (the first of a name) and lists the repeats it
// drops, and finds any text after the value.

// The members of an object or array nested this deep or deeper (the value
// itself is level 0) are not given positions; their text is skipped without
// recursion, so that no nesting depth exhausts the stack.
constexpr int kDeepestRecordedLevel = 256;

// A member the parser drops because an earlier member of the same object
// has its name.
struct RepeatedMember {
  std::string pointer;     // equal to the kept member's pointer
  TextPosition at;         // the opening quote of the repeat's name
  TextPosition first_at;   // the opening quote of the kept member's name
  std::string value_text;  // the dropped value as written
};

class SourceMap {
 public:
  // Scans a text that the settings parser accepted: one JSON value after an
  // optional byte-order mark, followed by anything.
  explicit SourceMap(const std::string& text);

  // The opening quote of the name of the member the parser keeps under the
  // pointer. For a member that is not written, the position of its nearest
  // written ancestor; the start of the value for "" and when none is written.
  TextPosition PositionOf(const std::string& pointer) const;

  // The kept member's value as written, or "" for a member not written.
  std::string ValueTextOf(const std::string& pointer) const;

  // The pointers of every member given a position, in byte order.
  // Example: {"A": {"B": 1}, "A": 2} -> {"/A", "/A/B"}.
  std::vector<std::string> MemberPointers() const;

  // The repeats, in text order.
  const std::vector<RepeatedMember>& RepeatedMembers() const { return repeats_; }

  // Where the first character other than JSON white space after the value
  // stands, when there is one.
  const std::optional<TextPosition>& TextAfterValue() const { return text_after_value_; }

 private:
  friend class MemberScanner;

  struct Site {
    TextPosition at;
    std::string value_text;
  };

  LineIndex lines_;
  TextPosition value_start_;
  std::map<std::string, Site> sites_;
  std::vector<RepeatedMember> repeats_;
  std::optional<TextPosition> text_after_value_;
};

// How a JSON value's kind is named in messages.

// "null", "a boolean", "a number", "a string", "an array", "an object";
// "an empty array" and "an empty object" for empty containers.
std::string KindOf(const nlohmann::json& value);

// A name or other text quoted as a JSON string: "Dinos", "a\"b". Bytes of
// 0x80 and above are left as they are, so that a byte that is not UTF-8 is
// kept for the printed line to show (see EscapedNonUtf8 in common/text.h).
std::string Quoted(const std::string& text);

// How a message names a member of the settings file: its names from the top
// level down, as they are written in the file, joined by " > ". A name made
// of ASCII letters, digits and "_" that does not begin with a digit stands
// bare; any other name is written as a JSON string; an element of an array
// is "[INDEX]".
// Example: "/Dinos/blueprint'~1Game~1A.A'/Count" ->
//          "Dinos > \"blueprint'/Game/A.A'\" > Count".

// The readable path of the member that the JSON pointer names in `document`,
// "top level" for "". The document tells array elements from members; below
// what it holds (a member the file does not write) every step is a member.
std::string ReadableMemberPath(const nlohmann::json& document, const std::string& pointer);

// The JSON pointer of the "Dinos" member named `name`.
// Example: "blueprint'/Game/A.A'" -> "/Dinos/blueprint'~1Game~1A.A'".
std::string PointerOf(const std::string& name);

// The diagnostics about one settings file, each placed at the member its
// JSON pointer names and opening with that member's readable path.

class ConfigReport {
 public:
  // The report on `file`, whose text `map` places and which parses into
  // `document`.
  ConfigReport(std::string file, const SourceMap& map, const nlohmann::json& document)
      : file_(std::move(file)), map_(map), document_(document) {}

  // "MEMBER: MESSAGE" at the member the JSON pointer names.
  void About(Severity severity, const std::string& pointer, const std::string& message);

  // The member the JSON pointer names, as messages name it (ReadableMemberPath).
  std::string MemberNamed(const std::string& pointer) const;

  // "MESSAGE" at a position of the file.
  void At(Severity severity, TextPosition at, const std::string& message);

  const SourceMap& Map() const { return map_; }

  // Every diagnostic so far, ordered by position; those at one position in
  // the order they were made.
  std::vector<Diagnostic> InTextOrder() const;

 private:
  std::string file_;
  const SourceMap& map_;
  const nlohmann::json& document_;
  std::vector<Diagnostic> diagnostics_;
};

}  // namespace dravelquin

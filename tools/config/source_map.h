#pragma once

// Where the members of a settings file are written. The JSON library reports
// no position for a member, so the text is scanned once more on its own: the
// scan names each member by its JSON pointer, keeps the position of the
// member the parser keeps (the first of a name) and lists the repeats it
// drops, and finds any text after the value.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "text_position.h"

namespace dravelquin {

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

}  // namespace dravelquin

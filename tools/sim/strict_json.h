#pragma once

// Reading a scenario file's JSON more strictly than JSON itself does: a name
// given twice in one object is refused rather than one value silently
// winning, and nesting is refused beyond kMaxNesting before it is built.

#include <string>

#include "tools/sim/scenario_fields.h"

namespace dravelquin::sim {

// The document in `text`. Raises ScenarioError for invalid JSON (with the
// parser's message), a repeated name (naming where, such as
// `steps[2]: "count" is given twice`), a number no double holds (1e400) or
// nesting deeper than kMaxNesting.
Json ParseStrictJson(const std::string& text);

}  // namespace dravelquin::sim

#pragma once

// The diagnostics about one settings file, each placed at the member its
// JSON pointer names and opening with that member's readable path.

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "diagnostic.h"
#include "source_map.h"

namespace dravelquin {

class ConfigReport {
 public:
  // The report on `file`, whose text `map` places and which parses into
  // `document`.
  ConfigReport(std::string file, const SourceMap& map, const nlohmann::json& document)
      : file_(std::move(file)), map_(map), document_(document) {}

  // "MEMBER: MESSAGE" at the member the JSON pointer names.
  void About(Severity severity, const std::string& pointer, const std::string& message);

  // The member the JSON pointer names, as messages name it (member_path.h).
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

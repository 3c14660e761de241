#pragma once

// The diagnostics about one settings file, each placed at the member its
// JSON pointer names and opening with that pointer.

#include <string>
#include <utility>
#include <vector>

#include "diagnostic.h"
#include "source_map.h"

namespace dravelquin {

class ConfigReport {
 public:
  ConfigReport(std::string file, const SourceMap& map) : file_(std::move(file)), map_(map) {}

  // "POINTER: MESSAGE" at the member the pointer names ("top level" for "").
  void About(Severity severity, const std::string& pointer, const std::string& message);

  // "MESSAGE" at a position of the file.
  void At(Severity severity, TextPosition at, const std::string& message);

  const SourceMap& Map() const { return map_; }

  // Every diagnostic so far, ordered by position; those at one position in
  // the order they were made.
  std::vector<Diagnostic> InTextOrder() const;

 private:
  std::string file_;
  const SourceMap& map_;
  std::vector<Diagnostic> diagnostics_;
};

}  // namespace dravelquin

#include "config_report.h"

#include <algorithm>

namespace dravelquin {

void ConfigReport::About(Severity severity, const std::string& pointer,
                         const std::string& message) {
  const std::string subject = pointer.empty() ? "top level" : pointer;
  At(severity, map_.PositionOf(pointer), subject + ": " + message);
}

void ConfigReport::At(Severity severity, TextPosition at, const std::string& message) {
  diagnostics_.push_back(Diagnostic{file_, at, severity, message});
}

std::vector<Diagnostic> ConfigReport::InTextOrder() const {
  std::vector<Diagnostic> ordered = diagnostics_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.at < b.at; });
  return ordered;
}

}  // namespace dravelquin

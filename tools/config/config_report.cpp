#include "config_report.h"

#include <algorithm>

#include "member_path.h"

namespace dravelquin {

void ConfigReport::About(Severity severity, const std::string& pointer,
                         const std::string& message) {
  At(severity, map_.PositionOf(pointer), MemberNamed(pointer) + ": " + message);
}

std::string ConfigReport::MemberNamed(const std::string& pointer) const {
  return ReadableMemberPath(document_, pointer);
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
